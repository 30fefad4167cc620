#pragma once
// Qt's own texts in Chinese: the buttons of the standard dialogs (确定, 取消, 保存...), the save
// dialog, the print preview. Both hosts load them at start, from Debian's Qt translations
// (qt6-translations-l10n) where Qt keeps its translations.

class QCoreApplication;

namespace morvane::host {

// Installs qtbase_zh_CN on the application. False (and nothing installed) when the file is
// missing; the dialogs then speak English.
bool LoadQtTranslations(QCoreApplication& app);

}  // namespace morvane::host
