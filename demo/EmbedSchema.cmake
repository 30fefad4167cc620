# Writes INPUT (demo/schema.sql) into OUTPUT as the body of demoSchemaSql().
# The text is split into raw-string pieces well below compiler limits.
file(READ ${INPUT} text)
string(LENGTH "${text}" length)
set(pieces "")
set(offset 0)
while(offset LESS length)
  string(SUBSTRING "${text}" ${offset} 8000 piece)
  string(APPEND pieces "    R\"morvane_schema(${piece})morvane_schema\"\n")
  math(EXPR offset "${offset} + 8000")
endwhile()
file(WRITE ${OUTPUT}.tmp
"// Generated from demo/schema.sql; do not edit.\n#include \"demo/DemoGenerator.h\"\n\nnamespace morvane::demo {\n\nstd::string_view demoSchemaSql() {\n    static const char text[] =\n${pieces}    ;\n    return {text, sizeof text - 1};\n}\n\n}  // namespace morvane::demo\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
