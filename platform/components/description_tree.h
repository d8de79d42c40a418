#pragma once

// The parsed form of a window description, before any component exists:
// objects with their property assignments and nested objects, each part
// with the line it came from.

#include "platform/components/prop_info.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellamo {

struct DescAssignment;

struct DescValue {
    enum class Type {
        Integer, // 12, -11, $7F
        Float, // 3.14, -0.5, 1.5E+10
        Identifier, // alClient, True, clWhite, MainMenu1, FormCreate, nil
        String, // 'text'#13#10'more'
        Set, // [akLeft, akTop]
        Binary, // {0E000000...}
        List, // ('line 1' 'line 2')
        Collection, // <item ... end item ... end>
    };
    Type type = Type::Integer;
    int line = 0;
    std::int64_t integer = 0;
    double real = 0; // Float
    std::string text; // Identifier, String
    std::vector<std::string> names; // Set
    Bytes bytes; // Binary
    std::vector<DescValue> list; // List
    std::vector<std::vector<DescAssignment>> items; // Collection
};

struct DescAssignment {
    std::string path; // "Font.Name"
    DescValue value;
    int line = 0;
};

struct DescObject {
    std::string name;
    std::string class_name;
    int line = 0;
    std::vector<DescAssignment> properties;
    std::vector<DescObject> children;
};

// "an integer", "a string", ... for error messages.
const char* DescValueTypeName(DescValue::Type type);

}
