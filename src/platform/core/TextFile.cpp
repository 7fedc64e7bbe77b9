#include "platform/core/TextFile.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

std::string IoErrorText(const std::string& fileName, int errorNumber)
{
    return "I/O error: " + Cp932ForMessage(fileName) + ": " + Cp932ForMessage(std::strerror(errorNumber));
}

namespace {

std::optional<std::size_t> byteLimitForTesting;

} // namespace

void TextFileWriter::LimitBytesForTesting(std::optional<std::size_t> limit) { byteLimitForTesting = limit; }

TextFileWriter::TextFileWriter(std::string fileName, Replacement replacement)
    : fileName_(std::move(fileName)), bytesLeft_(byteLimitForTesting)
{
    if (replacement == Replacement::Whole) {
        struct stat info { };
        const bool exists = stat(fileName_.c_str(), &info) == 0;
        if (exists && S_ISDIR(info.st_mode))
            throw IoError(IoErrorText(fileName_, EISDIR));
        // A folder that takes no new files while the file itself may be
        // written keeps the direct write it always had.
        if ((!exists || S_ISREG(info.st_mode)) && OpenTemporary())
            return;
    }
    file_ = std::fopen(fileName_.c_str(), "wb");
    if (!file_)
        throw IoError(IoErrorText(fileName_, errno));
}

bool TextFileWriter::OpenTemporary()
{
    // A link is followed, as a direct write would: the file it names is
    // the one replaced.
    targetPath_ = fileName_;
    if (char* real = realpath(fileName_.c_str(), nullptr)) {
        targetPath_ = real;
        std::free(real);
    }
    struct stat target { };
    const bool exists = stat(targetPath_.c_str(), &target) == 0;

    static unsigned counter = 0;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0; ++attempt) {
        temporaryName_ = targetPath_ + ".~" + std::to_string(getpid()) + "-" + std::to_string(++counter);
        descriptor = open(temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && (errno != EEXIST || attempt >= 100)) {
            const int error = errno;
            temporaryName_.clear();
            if (exists && (error == EACCES || error == EPERM || error == EROFS))
                return false;
            throw IoError(IoErrorText(fileName_, error));
        }
    }
    // The new file keeps the old one's owner (where allowed) and permissions.
    if (exists) {
        if (fchown(descriptor, target.st_uid, target.st_gid) != 0) {
            // Not the owner's to give: the file becomes the writer's own.
        }
        fchmod(descriptor, target.st_mode & 07777);
    }
    file_ = fdopen(descriptor, "wb");
    if (!file_) {
        const int error = errno;
        close(descriptor);
        DiscardTemporary();
        throw IoError(IoErrorText(fileName_, error));
    }
    return true;
}

void TextFileWriter::DiscardTemporary()
{
    if (temporaryName_.empty())
        return;
    unlink(temporaryName_.c_str());
    temporaryName_.clear();
}

TextFileWriter::~TextFileWriter()
{
    if (file_)
        std::fclose(file_);
    DiscardTemporary();
}

void TextFileWriter::Fail(int errorNumber)
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    DiscardTemporary();
    throw IoError(IoErrorText(fileName_, errorNumber ? errorNumber : EIO));
}

void TextFileWriter::Write(std::string_view bytes)
{
    if (!file_)
        Fail(EBADF);
    if (bytes.empty())
        return;
    bool full = false;
    if (bytesLeft_) {
        full = bytes.size() > *bytesLeft_;
        if (full)
            bytes = bytes.substr(0, *bytesLeft_);
        *bytesLeft_ -= bytes.size();
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        Fail(errno);
    if (full)
        Fail(ENOSPC);
}

void TextFileWriter::WriteLine(std::string_view bytes)
{
    Write(bytes);
    Write("\r\n");
}

void TextFileWriter::Close()
{
    if (!file_)
        return;
    errno = 0;
    bool done = std::fflush(file_) == 0;
    if (done && !temporaryName_.empty())
        done = fsync(fileno(file_)) == 0;
    const int flushError = errno;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (!done)
        Fail(flushError);
    if (!closed)
        Fail(errno);
    if (temporaryName_.empty())
        return;
    if (rename(temporaryName_.c_str(), targetPath_.c_str()) != 0)
        Fail(errno);
    temporaryName_.clear();
}

TextFileReader::TextFileReader(std::string fileName) : fileName_(std::move(fileName))
{
    std::FILE* file = std::fopen(fileName_.c_str(), "rb");
    if (!file)
        throw IoError(IoErrorText(fileName_, errno));
    struct stat info { };
    if (fstat(fileno(file), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            std::fclose(file);
            throw IoError(IoErrorText(fileName_, EISDIR));
        }
        // One allocation for a regular file instead of a chain of regrowths
        // (a 1000-object data file is several megabytes).
        if (S_ISREG(info.st_mode) && info.st_size > 0)
            contents_.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents_.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed)
        throw IoError(IoErrorText(fileName_, readError ? readError : EIO));
}

TextFileReader::TextFileReader(std::string name, std::string contents)
    : fileName_(std::move(name)), contents_(std::move(contents))
{
}

bool TextFileReader::ReadLine(std::string_view& line)
{
    line = {};
    if (AtEnd())
        return false;
    const std::size_t end = contents_.find('\n', position_);
    const std::size_t stop = end == std::string::npos ? contents_.size() : end;
    std::size_t length = stop - position_;
    // A CR before the line end, or ending the file, belongs to the line end.
    if (length > 0 && contents_[stop - 1] == '\r')
        --length;
    line = std::string_view(contents_).substr(position_, length);
    position_ = end == std::string::npos ? contents_.size() : end + 1;
    return true;
}

bool TextFileReader::ReadLine(std::string& line)
{
    std::string_view view;
    const bool read = ReadLine(view);
    line.assign(view);
    return read;
}

} // namespace vantrel
