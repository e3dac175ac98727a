// Standard output as the command line writes it: every write goes straight
// to the descriptor, and one that fails (a full disk, a closed output, a
// file that cannot grow) says why in errorString(), so the program can say
// it and end with a failure instead of losing the figures silently.
#pragma once

#include <QIODevice>
#include <QString>

class DescriptorOutput final : public QIODevice {
public:
    // Opens itself for writing on fd, which it does not close.
    explicit DescriptorOutput(int fd);
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    int fd_;
};

// Puts /dev/null, read-only, on each of the standard descriptors 0..2 that
// is closed, before anything else opens a file: a file opened later would
// otherwise take the number and receive the output. Writes to such an
// output then fail, as they should, with "Bad file descriptor".
void HoldClosedStandardDescriptors();

// Writes all `size` bytes to `file`, opened Unbuffered so each write reaches
// the file at once: a part the disk takes is followed by the rest until all
// is taken or the file says why not (a buffered write would take the part as
// done and lose the reason). Returns why it failed; empty when all is written.
QString WriteWhole(QIODevice& file, const char* data, qint64 size);

// Writes `bytes` as the file at `path` whole or not at all: into a file
// beside it that replaces it only when every step (open, write, flush,
// rename) has worked, so a full disk or a folder that cannot be written keeps
// the file that was there. Returns why it failed, from the file's own error;
// empty when the file is written.
QString SaveWhole(const QString& path, const QByteArray& bytes);
