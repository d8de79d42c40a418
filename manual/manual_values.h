#pragma once

// Filling in the {name} values of a manual's text.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo {

using ManualValues = std::map<std::string, std::string, std::less<>>;

// A {name} the caller gave no value for.
class ManualValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `text` with every {name} replaced by its value and "{{" by "{".
std::string FillManualValues(const std::string& text, const ManualValues& values);

// "A", "A or B", "A, B or C": how a list of names reads in a sentence.
std::string ListOfNames(const std::vector<std::string>& names);

}
