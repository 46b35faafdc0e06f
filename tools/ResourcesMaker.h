#pragma once
// A resource container (platform/Container.h) being made: entries are added
// as zlib streams of whole files, deleted, listed, and the finished container
// is appended to a copy of a stub program to make an executable. Each object
// compresses through a private temporary folder of its own.
#include "platform/Container.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>
#include <vector>

class QProgressBar;

struct EResourcesMaker : std::runtime_error {
    explicit EResourcesMaker(const QString& message) : std::runtime_error(message.toStdString()), Message(message) {}
    QString Message;
};
struct ErmResNotFound : EResourcesMaker {
    using EResourcesMaker::EResourcesMaker;
};
struct ErmInvalidPassWord : EResourcesMaker {
    using EResourcesMaker::EResourcesMaker;
};
struct ErmResAlreadyExists : EResourcesMaker {
    using EResourcesMaker::EResourcesMaker;
};

// The display form of one entry.
struct THeadExtraInfos {
    QString Folder;          // the name up to its last "\" included; empty without one
    QString Name;            // the rest
    QString TypeName;        // the desktop's name of its type
    QString Size;            // FormatByteSize of both sizes
    QString CompressedSize;
    QString Ratio;           // "62%"
    QString Attributes;      // long form
    int IconIndex = -1;      // no system image list here
};

class TResourcesMaker {
public:
    // Opens the container, or makes the file one (a trailer after its bytes),
    // or creates it. ErmInvalidPassWord on a wrong password; EResourcesMaker
    // when a file cannot be opened or a stored size does not fit the file.
    TResourcesMaker(const QString& fileName, const QString& password);
    ~TResourcesMaker();
    TResourcesMaker(const TResourcesMaker&) = delete;
    TResourcesMaker& operator=(const TResourcesMaker&) = delete;

    // Packs the file as the entry resName (fileName when empty). An existing
    // entry of that name is replaced with overwrite, else ErmResAlreadyExists.
    void AddResource(const QString& fileName, const QString& resName, bool overwrite);
    // ErmResNotFound when there is no such entry. The new container is
    // written beside the old one and takes its name once complete.
    void DeleteResource(const QString& resName);
    bool ResourceExists(const QString& resName) const;
    // The entry's header and data position; ErmResNotFound when none.
    qint64 GetResourceHeader(const QString& resName, container::ResourceEntryHeader& header) const;
    // Writes the file named after the container with ".exe": the stub, then
    // the container, made executable. False, with the reason in
    // LastError(), when anything fails; an old file of that name is then
    // left as it was.
    bool MakeExe(const QString& stubFileName);
    const QString& LastError() const { return lastError_; }

    // Per entry in file order; "" and -1 past the last one.
    QString ResourceName(int i) const;
    int CompressedSize(int i) const;
    int UncompressedSize(int i) const;
    int Attributes(int i) const;
    THeadExtraInfos GetExtraInfos(int i) const;

    const QString& FileName() const { return fileName_; }
    QString TempDir() const { return tempDir_.path(); }
    const std::vector<container::Entry>& Entries() const { return entries_; }
    // 0 best compression, 1 zlib's default, 2 best speed, others stored.
    int CompressionLevel = 1;
    // Follows each compression when set (not owned).
    QProgressBar* ProgressBar = nullptr;

private:
    void open();
    void loadEntries();
    qint64 compressToTemp(QFile& source);
    const container::Entry* find(const QString& resName) const;
    void writeAt(qint64 position, const char* bytes, qint64 size);

    QString fileName_;
    QByteArray password_;  // scrambled
    QTemporaryDir tempDir_;
    QFile file_;
    QFile compressed_;  // the last compression
    container::ResourceContainerTrailer trailer_;
    std::vector<container::Entry> entries_;
    QString lastError_;
};
