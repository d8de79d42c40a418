#pragma once

// Reads a window description (see description_parser.h for the format) into
// an existing root component, usually a form constructed by its own class:
//
// - the root object's class must be the root's class or an ancestor;
// - nested objects become components owned by the root, created by class
//   name through the class registry (or, when the root already owns a
//   component of that name and class, that one is used); each container
//   receives its nested objects through InsertNestedChild, before their
//   properties are set;
// - properties are set in stored order; component references and event
//   handler names (handlers registered by the root) are resolved after
//   everything has been read, so they may point forwards;
// - finally every component read gets Loaded(), the root first.
//
// A bad description throws EDescriptionError with the line and the reason;
// the components created so far are freed again.

#include <string_view>

namespace pellamo {

class TComponent;

class DescriptionReader {
public:
    static void Read(std::string_view text, TComponent& root);
};

inline void ReadDescription(std::string_view text, TComponent& root) { DescriptionReader::Read(text, root); }

}
