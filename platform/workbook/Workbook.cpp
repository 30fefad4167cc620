#include "platform/workbook/Workbook.h"

#include "platform/workbook/WorkbookError.h"

namespace morvane::workbook {

Sheet& Workbook::addSheet(const QString& name) {
    if (name.isEmpty() || name.size() > 31)
        throw WorkbookError("A sheet name has 1 to 31 characters: \"" + name.toStdString() + "\"");
    for (QChar ch : name)
        if (QStringLiteral(":\\/?*[]").contains(ch))
            throw WorkbookError("A sheet name may not contain : \\ / ? * [ ]: \"" +
                                name.toStdString() + "\"");
    for (const auto& s : sheets_)
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            throw WorkbookError("The workbook already has a sheet named \"" + name.toStdString() +
                                "\"");
    sheets_.push_back(std::make_unique<Sheet>(name, *strings_));
    return *sheets_.back();
}

const Sheet* Workbook::sheetByName(const QString& name) const {
    for (const auto& s : sheets_)
        if (s->name() == name)
            return s.get();
    return nullptr;
}

}  // namespace morvane::workbook
