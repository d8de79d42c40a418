#include "platform/components/strings.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"
#include "platform/text/same_text.h"

namespace pellamo {

namespace {

bool IsBlank(char c)
{
    // Unsigned: GBK bytes (>= 0x80) are text, not blanks.
    return static_cast<unsigned char>(c) <= ' ';
}

}

const ClassInfo& TStrings::StaticClass()
{
    static const ClassInfo info("TStrings", &TPersistent::StaticClass());
    return info;
}

void TStrings::IndexError(int index) const
{
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& s)
{
    TObject* object = GetObject(index);
    BeginUpdate();
    try {
        Delete(index);
        InsertObject(index, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TObject* TStrings::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return nullptr;
}

void TStrings::PutObject(int index, TObject*)
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

int TStrings::Add(const std::string& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::IndexOf(std::string_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::AddObject(const std::string& s, TObject* object)
{
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other)
{
    if (&other == this) {
        std::vector<std::string> copy = ToVector();
        BeginUpdate();
        for (const std::string& s : copy)
            Add(s);
        EndUpdate();
        return;
    }
    BeginUpdate();
    try {
        for (int i = 0; i < other.Count(); ++i)
            AddObject(other.Get(i), other.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Names(int index) const
{
    std::string s = Get(index);
    size_t sep = s.find(NameValueSeparator);
    return sep == std::string::npos ? std::string() : s.substr(0, sep);
}

std::string TStrings::ValueFromIndex(int index) const
{
    std::string s = Get(index);
    size_t sep = s.find(NameValueSeparator);
    return sep == std::string::npos ? std::string() : s.substr(sep + 1);
}

int TStrings::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        size_t sep = s.find(NameValueSeparator);
        if (sep != std::string::npos && CompareStrings(std::string_view(s).substr(0, sep), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const
{
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(std::string_view name, const std::string& value)
{
    int i = IndexOfName(name);
    std::string entry = std::string(name) + NameValueSeparator + value;
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    if (i < 0) {
        Add(entry);
        return;
    }
    // Delete and add, which also keeps a sorted list in order.
    BeginUpdate();
    try {
        Delete(i);
        Add(entry);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::Text() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += '\n';
    }
    return out;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    try {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) {
                Add(std::string(text.substr(start)));
                break;
            }
            Add(std::string(text.substr(start, end - start)));
            start = end + 1;
            if (text[end] == '\r' && start < text.size() && text[start] == '\n')
                ++start;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        bool quote = s.empty();
        for (char c : s)
            if (IsBlank(c) || c == ',' || c == '"')
                quote = true;
        if (i > 0)
            out += ',';
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(std::string_view text)
{
    BeginUpdate();
    try {
        Clear();
        size_t p = 0;
        auto skip_blanks = [&] {
            while (p < text.size() && IsBlank(text[p]))
                ++p;
        };
        skip_blanks();
        while (p < text.size()) {
            std::string item;
            if (text[p] == '"') {
                ++p;
                while (p < text.size()) {
                    if (text[p] == '"') {
                        if (p + 1 < text.size() && text[p + 1] == '"') {
                            item += '"';
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    item += text[p++];
                }
            } else {
                while (p < text.size() && text[p] != ',' && !IsBlank(text[p]))
                    item += text[p++];
            }
            Add(item);
            skip_blanks();
            if (p < text.size() && text[p] == ',') {
                ++p;
                skip_blanks();
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        out.push_back(Get(i));
    return out;
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

void TStrings::BeginUpdate()
{
    if (update_count_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (update_count_ > 0 && --update_count_ == 0)
        SetUpdateState(false);
}

void TStrings::Assign(const TPersistent& source)
{
    auto* other = dynamic_cast<const TStrings*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        NameValueSeparator = other->NameValueSeparator;
        AddStrings(*other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream)
{
    std::int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (!text.empty())
        stream.ReadBuffer(text.data(), text.size());
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    std::string text = Text();
    if (!text.empty())
        stream.WriteBuffer(text.data(), text.size());
}

void TStrings::LoadFromFile(const std::string& file_name)
{
    TFileStream file(file_name, TFileStream::fmOpenRead);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& file_name) const
{
    TFileStream file(file_name, TFileStream::fmCreate);
    SaveToStream(file);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareText(a, b); }

}
