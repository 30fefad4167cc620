#pragma once
// Reads a settings file of the usual form: "[section]" lines and "key=value" lines. Sections
// and keys are found without regard to case; values are trimmed and lose one pair of
// enclosing quotes. A missing file reads as empty.

#include <QString>
#include <vector>

class TIniFile {
  public:
    explicit TIniFile(const QString& fileName);

    QString FileName() const { return fileName_; }
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

  private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    QString fileName_;
    std::vector<Entry> entries_;
};
