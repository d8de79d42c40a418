#pragma once

// A TStrings held in memory, unsorted or sorted (with a policy for
// duplicates), compared case-insensitively unless CaseSensitive is set.

#include "platform/components/event.h"
#include "platform/components/strings.h"

#include <functional>

namespace pellamo {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    // Not allowed on a sorted list (EStringListError).
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // Not allowed on a sorted list (EStringListError).
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    // On a sorted list: to its place; a duplicate is ignored (returning the
    // existing index), accepted after its equals, or refused.
    int Add(const std::string& s) override;
    int IndexOf(std::string_view s) const override;
    int CompareStrings(std::string_view a, std::string_view b) const override;

    // Binary search of a sorted list: true when found; `index` is the first
    // equal string or where the string would go.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    void Exchange(int a, int b);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }
    bool CaseSensitive() const { return case_sensitive_; }
    void SetCaseSensitive(bool on);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void InsertItem(int index, const std::string& s, TObject* object);
    void CheckIndex(int index) const;

    std::vector<Item> items_;
    bool sorted_ = false;
    bool case_sensitive_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

}
