// Qt's own texts in the hosts' dialogs come in Chinese once the translations are loaded.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "hostkit/Translations.h"

TEST(Translations, StandardButtonsSpeakChinese) {
    ASSERT_TRUE(morvane::host::LoadQtTranslations(*qApp))
        << "qtbase_zh_CN missing (Debian package qt6-translations-l10n)";
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存"));
    // The other tests of this program read Qt's texts as they come without translations.
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}
