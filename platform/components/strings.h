#pragma once

// TStrings: an abstract list of strings (GBK text) with an optional object
// per string, name=value access, and the whole list as text. TStringList
// is the usual implementation; a memo's lines are another.

#include "platform/components/persistent.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

class TStream;

class TStrings : public TPersistent {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    virtual int Count() const = 0;
    // Index errors throw EStringListError ("List index out of bounds (n)").
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // The index the string went to.
    virtual int Add(const std::string& s);
    virtual int IndexOf(std::string_view s) const;

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    int AddObject(const std::string& s, TObject* object);
    void InsertObject(int index, const std::string& s, TObject* object);
    void AddStrings(const TStrings& other);
    int IndexOfObject(const TObject* object) const;

    // "name=value" entries: the part before the first separator is the
    // name (compared like the strings), the rest the value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    // Replaces or adds name=value; an empty value deletes the entry.
    void SetValues(std::string_view name, const std::string& value);
    char NameValueSeparator = '=';

    // Every string followed by a line break ("\n"). Setting splits at
    // "\r\n", "\n" or "\r"; a last line without a break still counts.
    std::string Text() const;
    void SetText(std::string_view text);
    // Comma-separated, items with blanks, commas or quotes in double quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    std::vector<std::string> ToVector() const;
    bool Equals(const TStrings& other) const;

    // Changes between these calls are reported once, at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    void Assign(const TPersistent& source) override;

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& file_name);
    void SaveToFile(const std::string& file_name) const;

    // How strings and names compare; case-insensitive unless overridden.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;

protected:
    virtual void SetUpdateState(bool) { }
    [[noreturn]] void IndexError(int index) const;

private:
    int update_count_ = 0;
};

}
