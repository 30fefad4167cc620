#include "platform/io/AtomicFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace morvane::io {

namespace {

struct Fault {
    enum Kind { Write, Close } kind;
    qint64 atByte;
};

// The fault the environment asks for, if any.
std::optional<Fault> injectedFault() {
    const QByteArray setting = qgetenv("MORVANE_TEST_WRITE_FAULT");
    const qsizetype colon = setting.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    bool ok = false;
    const qint64 at = setting.mid(colon + 1).toLongLong(&ok);
    if (!ok || at < 0)
        return std::nullopt;
    const QByteArray kind = setting.left(colon);
    if (kind == "write")
        return Fault{Fault::Write, at};
    if (kind == "close")
        return Fault{Fault::Close, at};
    return std::nullopt;
}

std::string failure(const QString& target, const std::string& reason) {
    return "cannot write " + QDir::toNativeSeparators(target).toStdString() + ": " + reason;
}

// A name no other writer uses, hidden, in the target's folder (a rename within one file
// system is what makes the replacement atomic). Kept within the usual 255-byte name limit.
QByteArray temporaryName(const QFileInfo& target) {
    QByteArray base = QFile::encodeName(target.fileName());
    if (base.size() > 200)
        base.truncate(200);
    const quint64 token = QRandomGenerator::system()->generate64();
    return QFile::encodeName(target.absolutePath()) + "/." + base + "." +
           QByteArray::number(token, 36) + ".tmp";
}

}  // namespace

std::string SystemReason(int errorNumber) {
    return std::strerror(errorNumber);
}

class FileDevice : public QIODevice {
  public:
    explicit FileDevice(AtomicFile& file) : file_(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        try {
            file_.Write(std::string_view(data, static_cast<std::size_t>(size)));
            return size;
        } catch (const FileError& e) {
            setErrorString(QString::fromStdString(e.what()));
            return -1;
        }
    }

  private:
    AtomicFile& file_;
};

struct AtomicFile::Impl {
    QString target;
    QString replaced;  // the file the rename replaces: the target, or what its link points to
    QString temporary;
    QByteArray temporaryBytes;
    int fd = -1;
    qint64 size = 0;
    std::optional<Fault> fault;
    std::optional<std::string> error;  // the first failure; the file cannot be committed
    bool committed = false;
    std::unique_ptr<FileDevice> device;

    [[noreturn]] void fail(const std::string& reason) {
        if (!error)
            error = failure(target, reason);
        throw FileError(*error);
    }
    void discard() noexcept {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        if (!temporaryBytes.isEmpty())
            ::unlink(temporaryBytes.constData());
        temporaryBytes.clear();
        temporary.clear();
    }
};

AtomicFile::AtomicFile(const QString& target) : d_(std::make_unique<Impl>()) {
    d_->target = target;
    d_->fault = injectedFault();
    // A link is followed to the end of its chain: the file it points to is the one replaced
    // and the link stays. A link to nothing yet makes that file.
    const QFileInfo named(target);
    QString path = named.absoluteFilePath();
    if (named.isSymLink()) {
        const QString canonical = named.canonicalFilePath();
        path = canonical.isEmpty() ? named.symLinkTarget() : canonical;
    }
    const QFileInfo info(path);
    d_->replaced = info.absoluteFilePath();
    if (info.isDir())
        d_->fail("it is a folder");
    // The file keeps the permissions it had; a new file gets the usual ones (umask applies).
    struct stat existing {};
    const QByteArray targetBytes = QFile::encodeName(info.absoluteFilePath());
    const bool replaces = ::stat(targetBytes.constData(), &existing) == 0;
    for (int attempt = 0; attempt < 16 && d_->fd < 0; ++attempt) {
        d_->temporaryBytes = temporaryName(info);
        d_->fd =
            ::open(d_->temporaryBytes.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (d_->fd < 0 && errno != EEXIST) {
            const int e = errno;
            d_->temporaryBytes.clear();
            d_->fail(SystemReason(e));
        }
    }
    if (d_->fd < 0) {
        d_->temporaryBytes.clear();
        d_->fail("no free temporary file name in its folder");
    }
    d_->temporary = QFile::decodeName(d_->temporaryBytes);
    if (replaces)
        ::fchmod(d_->fd, existing.st_mode & 07777);
}

AtomicFile::~AtomicFile() {
    d_->device.reset();
    if (!d_->committed)
        d_->discard();
}

void AtomicFile::Write(std::string_view bytes) {
    if (d_->error)
        throw FileError(*d_->error);
    if (d_->fd < 0)
        d_->fail("the file is already closed");
    std::size_t allowed = bytes.size();
    const bool faulty = d_->fault && d_->fault->kind == Fault::Write &&
                        d_->size + static_cast<qint64>(bytes.size()) > d_->fault->atByte;
    if (faulty)
        allowed = static_cast<std::size_t>(std::max<qint64>(0, d_->fault->atByte - d_->size));
    const char* p = bytes.data();
    std::size_t left = allowed;
    while (left > 0) {
        const ssize_t n = ::write(d_->fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            d_->fail(SystemReason(errno));
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        d_->size += n;
    }
    if (faulty)
        d_->fail(SystemReason(ENOSPC));
}

QIODevice& AtomicFile::Device() {
    if (!d_->device)
        d_->device = std::make_unique<FileDevice>(*this);
    return *d_->device;
}

void AtomicFile::CheckWrites() const {
    if (d_->error)
        throw FileError(*d_->error);
}

void AtomicFile::Commit() {
    if (d_->error)
        throw FileError(*d_->error);
    if (d_->committed)
        return;
    if (d_->fault && d_->fault->kind == Fault::Close && d_->size >= d_->fault->atByte)
        d_->fail(SystemReason(EIO));
    // The bytes must be on the disk before the name points at them: a crash after the rename
    // must not leave an empty or partial file under the target's name.
    if (::fsync(d_->fd) != 0)
        d_->fail(SystemReason(errno));
    const int fd = d_->fd;
    d_->fd = -1;
    if (::close(fd) != 0)
        d_->fail(SystemReason(errno));
    const QByteArray targetBytes = QFile::encodeName(d_->replaced);
    if (::rename(d_->temporaryBytes.constData(), targetBytes.constData()) != 0)
        d_->fail(SystemReason(errno));
    d_->committed = true;
    d_->temporaryBytes.clear();
    d_->temporary.clear();
    // The new name itself on the disk. The file is already in place: a folder that cannot be
    // synced (some file systems refuse) changes nothing for the caller.
    const QByteArray folder = QFile::encodeName(QFileInfo(d_->replaced).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

const QString& AtomicFile::Target() const {
    return d_->target;
}

const QString& AtomicFile::TemporaryPath() const {
    return d_->temporary;
}

qint64 AtomicFile::Size() const {
    return d_->size;
}

void WriteFileAtomically(const QString& target, std::string_view bytes) {
    AtomicFile file(target);
    file.Write(bytes);
    file.Commit();
}

}  // namespace morvane::io
