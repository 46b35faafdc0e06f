#include "tools/ResourcesMaker.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "tools/rm_Utils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <zlib.h>

namespace {

using container::kHeaderSize;
using container::kTrailerSize;

constexpr qint64 kMaxStoredSize = 0x7FFFFFFF;  // sizes and offsets are signed 32-bit
constexpr qsizetype kChunk = 1 << 16;

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// The name as its field holds it; EResourcesMaker when it does not fit.
std::string storedName(const QString& name) {
    const QByteArray bytes = platform::toCp1252(name);
    if (name.isEmpty() || bytes.size() > container::kMaxNameLength || bytes.contains('\0') ||
        platform::fromCp1252(bytes) != name)
        throw EResourcesMaker(QStringLiteral("Nom de ressource impossible : ") + name);
    return bytes.toStdString();
}

int zlibLevel(int compressionLevel) {
    switch (compressionLevel) {
    case 0: return Z_BEST_COMPRESSION;
    case 1: return Z_DEFAULT_COMPRESSION;
    case 2: return Z_BEST_SPEED;
    default: return Z_NO_COMPRESSION;
    }
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno ? errno : EIO)); }

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

// Copies length bytes of from (at position) to the end of to.
bool copyRange(int from, qint64 position, qint64 length, int to) {
    QByteArray buffer(kChunk, Qt::Uninitialized);
    while (length > 0) {
        const ssize_t n = ::pread(from, buffer.data(), size_t(std::min<qint64>(length, kChunk)), off_t(position));
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        if (!writeAll(to, buffer.constData(), n)) return false;
        position += n;
        length -= n;
    }
    return true;
}

}  // namespace

TResourcesMaker::TResourcesMaker(const QString& fileName, const QString& password) : fileName_(fileName) {
    const QByteArray upper = platform::toCp1252(password).toUpper();
    if (upper.size() > container::kMaxPasswordLength)
        throw EResourcesMaker(QStringLiteral("Mot de passe trop long (7 caractères au plus)"));
    password_ = ScrambleContainerPassword(upper, 2);
    if (!tempDir_.isValid()) throw EResourcesMaker(QStringLiteral("Dossier temporaire impossible : ") + tempDir_.errorString());
    open();
}

TResourcesMaker::~TResourcesMaker() = default;

void TResourcesMaker::open() {
    file_.setFileName(fileName_);
    const bool ownProgram =
        QFileInfo(fileName_).canonicalFilePath() == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (!file_.open(ownProgram ? QIODevice::ReadOnly : QIODevice::ReadWrite))
        throw EResourcesMaker(QStringLiteral("Ouverture impossible de ") + fileName_ + QStringLiteral(" : ") +
                              file_.errorString());
    const container::Contents contents = container::ReadContents(file_.handle(), file_.size());
    if (!contents.isContainer) {
        // The file becomes a container: its bytes stay in front.
        if (file_.size() > kMaxStoredSize) throw EResourcesMaker(QStringLiteral("Fichier trop grand : ") + fileName_);
        trailer_ = {int32_t(file_.size()), password_.toStdString()};
        const container::TrailerBytes bytes = container::EncodeTrailer(trailer_);
        writeAt(file_.size(), bytes.data(), kTrailerSize);
        return;
    }
    trailer_ = contents.trailer;
    if (QByteArray::fromStdString(trailer_.password).toUpper() != password_.toUpper())
        throw ErmInvalidPassWord(QStringLiteral("Mot de passe invalide"));
    if (!contents.error.empty())
        throw EResourcesMaker(QStringLiteral("Conteneur endommagé (") + fileName_ + QStringLiteral(") : ") +
                              QString::fromStdString(contents.error));
    entries_ = contents.entries;
}

void TResourcesMaker::loadEntries() {
    const container::Contents contents = container::ReadContents(file_.handle(), file_.size());
    if (!contents.error.empty())
        throw EResourcesMaker(QStringLiteral("Conteneur endommagé : ") + QString::fromStdString(contents.error));
    entries_ = contents.entries;
}

void TResourcesMaker::writeAt(qint64 position, const char* bytes, qint64 size) {
    if (!file_.seek(position) || file_.write(bytes, size) != size || !file_.flush())
        throw EResourcesMaker(QStringLiteral("Écriture impossible dans ") + fileName_ + QStringLiteral(" : ") +
                              file_.errorString());
}

const container::Entry* TResourcesMaker::find(const QString& resName) const {
    const std::string wanted = upperAscii(platform::toCp1252(resName).toStdString());
    for (const container::Entry& e : entries_)
        if (upperAscii(e.header.name) == wanted) return &e;
    return nullptr;
}

bool TResourcesMaker::ResourceExists(const QString& resName) const { return find(resName) != nullptr; }

qint64 TResourcesMaker::GetResourceHeader(const QString& resName, container::ResourceEntryHeader& header) const {
    header = {};
    const container::Entry* e = find(resName);
    if (!e) throw ErmResNotFound(QStringLiteral("La ressource n'existe pas (") + resName + u')');
    header = e->header;
    return e->dataPosition;
}

qint64 TResourcesMaker::compressToTemp(QFile& source) {
    compressed_.close();
    compressed_.setFileName(tempDir_.filePath(QStringLiteral("~tmp")));
    if (!compressed_.open(QIODevice::ReadWrite | QIODevice::Truncate))
        throw EResourcesMaker(QStringLiteral("Fichier temporaire impossible : ") + compressed_.errorString());
    const qint64 total = source.size();
    if (total == 0) return 0;
    z_stream z{};
    if (deflateInit(&z, zlibLevel(CompressionLevel)) != Z_OK) throw EResourcesMaker(QStringLiteral("zlib indisponible"));
    QByteArray in(kChunk, Qt::Uninitialized), out(kChunk, Qt::Uninitialized);
    qint64 consumed = 0;
    int status = Z_OK;
    QString fault;
    while (status != Z_STREAM_END && fault.isEmpty()) {
        const qint64 n = source.read(in.data(), kChunk);
        if (n < 0) {
            fault = source.errorString();
            break;
        }
        consumed += n;
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(n);
        const int flush = n == 0 || consumed >= total ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            status = deflate(&z, flush);
            const qint64 produced = out.size() - z.avail_out;
            if (compressed_.write(out.constData(), produced) != produced) fault = compressed_.errorString();
        } while (z.avail_out == 0 && fault.isEmpty());
        if (ProgressBar) {
            ProgressBar->setMaximum(1000);
            ProgressBar->setValue(int(consumed * 1000 / total));
            ProgressBar->repaint();
        }
    }
    deflateEnd(&z);
    if (ProgressBar) ProgressBar->setValue(0);
    if (!fault.isEmpty()) throw EResourcesMaker(QStringLiteral("Compression impossible : ") + fault);
    if (!compressed_.flush() || compressed_.size() > kMaxStoredSize)
        throw EResourcesMaker(QStringLiteral("Compression impossible : ") + compressed_.errorString());
    return compressed_.size();
}

void TResourcesMaker::AddResource(const QString& fileName, const QString& resName, bool overwrite) {
    const QString name = resName.isEmpty() ? fileName : resName;
    container::ResourceEntryHeader header;
    header.name = storedName(name);
    if (ResourceExists(name)) {
        if (!overwrite) throw ErmResAlreadyExists(QStringLiteral("La ressource existe déjà"));
        DeleteResource(name);
    }
    QFile source(fileName);
    if (!source.open(QIODevice::ReadOnly))
        throw EResourcesMaker(QStringLiteral("Ouverture impossible de ") + fileName + QStringLiteral(" : ") +
                              source.errorString());
    if (source.size() > kMaxStoredSize) throw EResourcesMaker(QStringLiteral("Fichier trop grand : ") + fileName);
    header.attributes = FileAttributes(fileName);
    header.uncompressedSize = int32_t(source.size());
    header.compressedSize = int32_t(compressToTemp(source));
    const qint64 at = file_.size() - kTrailerSize;
    if (at + kHeaderSize + header.compressedSize + kTrailerSize > kMaxStoredSize + qint64(kTrailerSize))
        throw EResourcesMaker(QStringLiteral("Conteneur trop grand : ") + fileName_);
    // Header, data and trailer in one go; a failure puts the old end back.
    const container::HeaderBytes head = container::EncodeHeader(header);
    const container::TrailerBytes tail = container::EncodeTrailer(trailer_);
    errno = 0;
    if (!file_.seek(at) || file_.write(head.data(), kHeaderSize) != kHeaderSize || !file_.flush() ||
        !copyRange(compressed_.handle(), 0, header.compressedSize, file_.handle()) ||
        !writeAll(file_.handle(), tail.data(), kTrailerSize)) {
        const QString reason = systemReason();
        file_.resize(at);
        writeAt(at, tail.data(), kTrailerSize);
        throw EResourcesMaker(QStringLiteral("Écriture impossible dans ") + fileName_ + QStringLiteral(" : ") + reason);
    }
    entries_.push_back({at + kHeaderSize, header});
}

void TResourcesMaker::DeleteResource(const QString& resName) {
    container::ResourceEntryHeader header;
    const qint64 data = GetResourceHeader(resName, header);
    const qint64 start = data - kHeaderSize, rest = data + header.compressedSize;
    const int old = file_.handle();
    const qint64 size = file_.size();
    QString reason;
    const bool written = platform::WriteFileAtomically(
        fileName_,
        [&](int fd) { return copyRange(old, 0, start, fd) && copyRange(old, rest, size - rest, fd); }, &reason);
    if (!written) throw EResourcesMaker(QStringLiteral("Écriture impossible dans ") + fileName_ + QStringLiteral(" : ") + reason);
    file_.close();
    if (!file_.open(QIODevice::ReadWrite))
        throw EResourcesMaker(QStringLiteral("Ouverture impossible de ") + fileName_ + QStringLiteral(" : ") +
                              file_.errorString());
    loadEntries();
}

bool TResourcesMaker::MakeExe(const QString& stubFileName) {
    const QString target = RemoveExtension(fileName_) + QStringLiteral(".exe");
    QFile stub(stubFileName);
    if (!stub.open(QIODevice::ReadOnly)) {
        lastError_ = stubFileName + QStringLiteral(" : ") + stub.errorString();
        return false;
    }
    const qint64 stubSize = stub.size(), size = file_.size();
    if (stubSize + size > kMaxStoredSize) {
        lastError_ = QStringLiteral("Programme trop grand : ") + target;
        return false;
    }
    container::ResourceContainerTrailer moved = trailer_;
    moved.dataOffset = int32_t(stubSize + trailer_.dataOffset);
    const container::TrailerBytes tail = container::EncodeTrailer(moved);
    const bool written = platform::WriteFileAtomically(
        target,
        [&](int fd) {
            return copyRange(stub.handle(), 0, stubSize, fd) &&
                   copyRange(file_.handle(), 0, size - kTrailerSize, fd) && writeAll(fd, tail.data(), kTrailerSize);
        },
        &lastError_);
    if (!written) {
        lastError_ = target + QStringLiteral(" : ") + lastError_;
        return false;
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther);
    lastError_.clear();
    return true;
}

QString TResourcesMaker::ResourceName(int i) const {
    return i >= 0 && size_t(i) < entries_.size() ? platform::fromCp1252(QByteArray::fromStdString(entries_[i].header.name))
                                                 : QString();
}

int TResourcesMaker::CompressedSize(int i) const {
    return i >= 0 && size_t(i) < entries_.size() ? entries_[i].header.compressedSize : -1;
}

int TResourcesMaker::UncompressedSize(int i) const {
    return i >= 0 && size_t(i) < entries_.size() ? entries_[i].header.uncompressedSize : -1;
}

int TResourcesMaker::Attributes(int i) const {
    return i >= 0 && size_t(i) < entries_.size() ? entries_[i].header.attributes : -1;
}

THeadExtraInfos TResourcesMaker::GetExtraInfos(int i) const {
    THeadExtraInfos x;
    if (i < 0 || size_t(i) >= entries_.size()) return x;
    const QString name = ResourceName(i);
    const qsizetype slash = name.lastIndexOf(u'\\');
    x.Folder = name.left(slash + 1);
    x.Name = name.mid(slash + 1);
    x.TypeName = FileTypeName(x.Name);
    const qint64 size = UncompressedSize(i), packed = CompressedSize(i);
    x.Size = FormatByteSize(size);
    x.CompressedSize = FormatByteSize(packed);
    x.Ratio = QString::number(size == 0 ? 0 : 100 - packed * 100 / size) + u'%';
    x.Attributes = AttributesToText(Attributes(i), true);
    return x;
}
