#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A list of texts packed into one buffer: the half million cell texts of a
// 1000-object matrix cost one allocation and an offset each, instead of a
// string object each.
class TextList {
public:
    void Reserve(std::size_t texts, std::size_t bytes)
    {
        ends_.reserve(texts);
        bytes_.reserve(bytes);
    }
    void Append(std::string_view text)
    {
        bytes_.append(text);
        ends_.push_back(bytes_.size());
    }
    void Clear()
    {
        bytes_.clear();
        ends_.clear();
    }

    std::size_t Size() const { return ends_.size(); }
    bool Empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t k) const
    {
        const std::size_t begin = k == 0 ? 0 : ends_[k - 1];
        return std::string_view(bytes_).substr(begin, ends_[k] - begin);
    }

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

} // namespace vantrel
