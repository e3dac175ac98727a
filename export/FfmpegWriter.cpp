#include "export/FfmpegWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <csignal>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

// Starts ffmpeg with its standard input a pipe (or nothing) and its
// complaints into `log`. Returns the process id, -1 when it could not start.
int Spawn(const QStringList& arguments, const QString& log, int* input)
{
    const QString program = FindFfmpeg();
    if (program.isEmpty())
        return -1;
    // A pipe whose reader died must fail the write, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    int fds[2] = {-1, -1};
    if (input && pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input)
        posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const QByteArray logPath = QFile::encodeName(log);
    posix_spawn_file_actions_addopen(&actions, 2, logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString& a : arguments)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (input) {
        close(fds[0]);
        if (spawned != 0) {
            close(fds[1]);
            return -1;
        }
        *input = fds[1];
    }
    return spawned == 0 ? pid : -1;
}

bool Reap(int pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString LastLine(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLocal8Bit(f.readAll()).trimmed().split(QLatin1Char('\n'));
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

QString LogPath()
{
    QTemporaryFile log(QDir::tempPath() + QStringLiteral("/ordivan-ffmpeg-XXXXXX.log"));
    log.setAutoRemove(false);
    if (!log.open())
        return QStringLiteral("/dev/null");
    return log.fileName();
}

} // namespace

QString FindFfmpeg()
{
    const QByteArray chosen = qgetenv("ORDIVAN_FFMPEG");
    if (!chosen.isEmpty()) {
        const QString path = QFile::decodeName(chosen);
        return QFileInfo(path).isExecutable() ? path : QString();
    }
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

QString VideoUnavailable()
{
    if (FindFfmpeg().isEmpty())
        return QStringLiteral("WebM and MP4 need the ffmpeg program, which is not installed");
    return {};
}

bool RunFfmpeg(const QStringList& arguments, QString& error)
{
    const QString log = LogPath();
    const int pid = Spawn(arguments, log, nullptr);
    if (pid < 0) {
        error = VideoUnavailable().isEmpty() ? QStringLiteral("ffmpeg could not be started") : VideoUnavailable();
        return false;
    }
    const bool ok = Reap(pid);
    if (!ok)
        error = QStringLiteral("ffmpeg failed: ") + LastLine(log);
    QFile::remove(log);
    return ok;
}

FfmpegWriter::FfmpegWriter(QString path, Codec codec, int fps) : path_(std::move(path)), codec_(codec), fps_(fps) {}

FfmpegWriter::~FfmpegWriter()
{
    if (pipe_ >= 0)
        close(pipe_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        Reap(pid_);
    }
    if (!log_.isEmpty())
        QFile::remove(log_);
}

bool FfmpegWriter::Start(const ExportFrame& frame)
{
    const QSize size = frame.image.size();
    QStringList args = {
        QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
        QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("bgra"),
        QStringLiteral("-s"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
        QStringLiteral("-framerate"), QString::number(fps_), QStringLiteral("-i"), QStringLiteral("-"),
        // 4:2:0 video needs even sides.
        QStringLiteral("-vf"), QStringLiteral("pad=ceil(iw/2)*2:ceil(ih/2)*2"), QStringLiteral("-pix_fmt"),
        QStringLiteral("yuv420p")};
    if (codec_ == Codec::Mp4)
        args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
             << QStringLiteral("veryfast") << QStringLiteral("-crf") << QStringLiteral("20")
             << QStringLiteral("-movflags") << QStringLiteral("+faststart") << QStringLiteral("-f")
             << QStringLiteral("mp4");
    else
        args << QStringLiteral("-c:v") << QStringLiteral("libvpx-vp9") << QStringLiteral("-deadline")
             << QStringLiteral("realtime") << QStringLiteral("-cpu-used") << QStringLiteral("8")
             << QStringLiteral("-row-mt") << QStringLiteral("1") << QStringLiteral("-b:v") << QStringLiteral("0")
             << QStringLiteral("-crf") << QStringLiteral("32") << QStringLiteral("-f") << QStringLiteral("webm");
    args << path_;
    log_ = LogPath();
    pid_ = Spawn(args, log_, &pipe_);
    if (pid_ < 0) {
        const QString why = VideoUnavailable();
        return Fail(why.isEmpty() ? QStringLiteral("ffmpeg could not be started") : why);
    }
    return true;
}

bool FfmpegWriter::Write(const ExportFrame& frame)
{
    if (pid_ < 0 && !Start(frame))
        return false;
    const QImage& image = frame.image;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 4;
    for (int repeat = 0; repeat < frame.periods; ++repeat)
        for (int y = 0; y < image.height(); ++y) {
            const char* row = reinterpret_cast<const char*>(image.constScanLine(y));
            std::size_t done = 0;
            while (done < rowBytes) {
                const ssize_t n = write(pipe_, row + done, rowBytes - done);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    Wait();
                    return Fail(QStringLiteral("ffmpeg failed: ") + LastLine(log_));
                }
                done += static_cast<std::size_t>(n);
            }
        }
    return true;
}

bool FfmpegWriter::Wait()
{
    if (pipe_ >= 0) {
        close(pipe_);
        pipe_ = -1;
    }
    if (pid_ <= 0)
        return false;
    const bool ok = Reap(pid_);
    pid_ = 0;
    return ok;
}

bool FfmpegWriter::Finish()
{
    if (pid_ < 0)
        return Fail(QStringLiteral("no frames"));
    if (!Wait())
        return Fail(QStringLiteral("ffmpeg failed: ") + LastLine(log_));
    return true;
}
