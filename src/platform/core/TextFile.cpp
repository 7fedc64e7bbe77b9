#include "platform/core/TextFile.h"

#include "platform/core/Errors.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vantrel {

std::string IoErrorText(const std::string& fileName, int errorNumber)
{
    return "I/O error: " + fileName + ": " + std::strerror(errorNumber);
}

TextFileWriter::TextFileWriter(std::string fileName) : fileName_(std::move(fileName))
{
    file_ = std::fopen(fileName_.c_str(), "wb");
    if (!file_)
        throw IoError(IoErrorText(fileName_, errno));
}

TextFileWriter::~TextFileWriter()
{
    if (file_)
        std::fclose(file_);
}

void TextFileWriter::Fail(int errorNumber)
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    throw IoError(IoErrorText(fileName_, errorNumber ? errorNumber : EIO));
}

void TextFileWriter::Write(std::string_view bytes)
{
    if (!file_)
        Fail(EBADF);
    if (bytes.empty())
        return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        Fail(errno);
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
    const bool flushed = std::fflush(file_) == 0;
    const int flushError = errno;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (!flushed)
        throw IoError(IoErrorText(fileName_, flushError ? flushError : EIO));
    if (!closed)
        throw IoError(IoErrorText(fileName_, errno ? errno : EIO));
}

TextFileReader::TextFileReader(std::string fileName) : fileName_(std::move(fileName))
{
    std::FILE* file = std::fopen(fileName_.c_str(), "rb");
    if (!file)
        throw IoError(IoErrorText(fileName_, errno));
    struct stat info {};
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

bool TextFileReader::ReadLine(std::string& line)
{
    line.clear();
    if (AtEnd())
        return false;
    const std::size_t end = contents_.find('\n', position_);
    const std::size_t stop = end == std::string::npos ? contents_.size() : end;
    std::size_t length = stop - position_;
    // A CR before the line end, or ending the file, belongs to the line end.
    if (length > 0 && contents_[stop - 1] == '\r')
        --length;
    line.assign(contents_, position_, length);
    position_ = end == std::string::npos ? contents_.size() : end + 1;
    return true;
}

} // namespace vantrel
