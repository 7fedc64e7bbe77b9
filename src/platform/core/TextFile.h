#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The text of an IoError: the file's name and the platform's reason for an
// errno value, both made message text (code page 932).
std::string IoErrorText(const std::string& fileName, int errorNumber);

// How a writer takes the place of an existing file.
enum class Replacement {
    // Writes straight into the file, emptied at once (a report written over
    // a whole run; devices).
    Direct,
    // Writes a new file in the same folder and renames it over the target
    // only after a successful close, so a failed write leaves the old file
    // whole. A target that is not a regular file is written directly.
    Whole,
};

// A text file written front to back: code page 932 bytes as given, every
// line ended with CR LF. Every failure (create, write, close) throws IoError
// naming the file and the reason.
class TextFileWriter {
public:
    // Creates the file, replacing an existing one.
    explicit TextFileWriter(std::string fileName, Replacement replacement = Replacement::Direct);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void Write(std::string_view bytes);
    void WriteLine(std::string_view bytes = {});
    // Flushes and closes; a failure here is a write failure like any other.
    void Close();

    const std::string& FileName() const { return fileName_; }
    bool IsOpen() const { return file_ != nullptr; }

    // For tests: writers created from now on fail as on a full disk once
    // they have taken `limit` bytes; nullopt lifts the limit.
    static void LimitBytesForTesting(std::optional<std::size_t> limit);

private:
    // False when the folder refuses a new file the old one could be
    // written over directly.
    bool OpenTemporary();
    void DiscardTemporary();
    [[noreturn]] void Fail(int errorNumber);

    std::string fileName_;
    std::FILE* file_ = nullptr;
    // Whole replacement: the file written, and the path it is renamed to.
    std::string temporaryName_;
    std::string targetPath_;
    std::optional<std::size_t> bytesLeft_;
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
    // The same as a view into the contents, valid while the reader lives.
    bool ReadLine(std::string_view& line);
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
