#include "platform/components/string_list.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/text/same_text.h"

#include <algorithm>
#include <numeric>

namespace pellamo {

const ClassInfo& TStringList::StaticClass()
{
    static const ClassInfo info("TStringList", &TStrings::StaticClass());
    return info;
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& s)
{
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s)
{
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        IndexError(index);
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, Item { s, object });
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const std::string& s)
{
    if (!sorted_) {
        InsertItem(Count(), s, nullptr);
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index)) {
        switch (duplicates_) {
        case TDuplicates::dupIgnore:
            return index;
        case TDuplicates::dupError:
            throw EStringListError("String list does not allow duplicates");
        case TDuplicates::dupAccept:
            while (index < Count() && CompareStrings(items_[static_cast<size_t>(index)].text, s) == 0)
                ++index;
            break;
        }
    }
    InsertItem(index, s, nullptr);
    return index;
}

int TStringList::IndexOf(std::string_view s) const
{
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const
{
    return case_sensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const
{
    int lo = 0;
    int hi = Count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(mid)].text, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && CompareStrings(items_[static_cast<size_t>(lo)].text, s) == 0;
}

void TStringList::Sort()
{
    CustomSort([](const TStringList& list, int a, int b) {
        return list.CompareStrings(list.items_[static_cast<size_t>(a)].text, list.items_[static_cast<size_t>(b)].text);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare)
{
    if (Count() < 2)
        return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_ = std::move(sorted);
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    Changed();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool on)
{
    if (on == case_sensitive_)
        return;
    case_sensitive_ = on;
    if (sorted_)
        Sort();
}

void TStringList::SetUpdateState(bool updating)
{
    // Called as the outermost update begins or ends: one notice for all.
    if (updating)
        OnChanging(this);
    else
        OnChange(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0)
        OnChanging(this);
}

}
