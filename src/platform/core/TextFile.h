#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vantrel {

// A text file written front to back: code page 932 bytes as given, every
// line ended with CR LF. Every failure (create, write, close) throws IoError
// naming the file and the reason.
class TextFileWriter {
public:
    // Creates the file, replacing an existing one.
    explicit TextFileWriter(std::string fileName);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void Write(std::string_view bytes);
    void WriteLine(std::string_view bytes = {});
    // Flushes and closes; a failure here is a write failure like any other.
    void Close();

    const std::string& FileName() const { return fileName_; }
    bool IsOpen() const { return file_ != nullptr; }

private:
    [[noreturn]] void Fail(int errorNumber);

    std::string fileName_;
    std::FILE* file_ = nullptr;
};

// A text file read whole, then handed out line by line. A line ends at CR LF
// or at a lone LF; the line end is not part of the line. Opening or reading
// failures throw IoError naming the file and the reason.
class TextFileReader {
public:
    explicit TextFileReader(std::string fileName);
    // Reads from bytes already in memory (tests, fuzzing); `name` is used in
    // messages.
    TextFileReader(std::string name, std::string contents);

    // The next line; false at the end of the file, leaving `line` empty.
    bool ReadLine(std::string& line);
    bool AtEnd() const { return position_ >= contents_.size(); }

    // Direct access for readers that scan tokens rather than lines.
    const std::string& Contents() const { return contents_; }
    std::size_t Position() const { return position_; }
    void SetPosition(std::size_t position) { position_ = position; }

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    std::string contents_;
    std::size_t position_ = 0;
};

} // namespace vantrel
