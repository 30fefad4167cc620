# Writes INPUT (demo/schema.sql) into OUTPUT as the body of demoSchemaSql().
# The text goes in as raw-string pieces well below compiler limits, each cut
# after a line break so that no UTF-8 character is split.
file(READ ${INPUT} text)
set(pieces "")
string(LENGTH "${text}" length)
while(length GREATER 0)
  string(SUBSTRING "${text}" 0 8000 piece)
  string(LENGTH "${piece}" cut)
  if(cut LESS length)
    string(FIND "${piece}" "\n" newline REVERSE)
    if(newline GREATER 0)
      math(EXPR cut "${newline} + 1")
      string(SUBSTRING "${text}" 0 ${cut} piece)
    endif()
  endif()
  string(APPEND pieces "    R\"morvane_schema(${piece})morvane_schema\"\n")
  string(SUBSTRING "${text}" ${cut} -1 text)
  string(LENGTH "${text}" length)
endwhile()
file(WRITE ${OUTPUT}.tmp
"// Generated from demo/schema.sql; do not edit.\n#include \"demo/DemoGenerator.h\"\n\nnamespace morvane::demo {\n\nstd::string_view demoSchemaSql() {\n    static const char text[] =\n${pieces}    ;\n    return {text, sizeof text - 1};\n}\n\n}  // namespace morvane::demo\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
