#include "platform/components/description_writer.h"

#include "platform/components/class_info.h"
#include "platform/components/collection.h"
#include "platform/components/colors.h"
#include "platform/components/component.h"
#include "platform/components/enum_info.h"
#include "platform/components/property_access.h"
#include "platform/components/strings.h"
#include "platform/text/same_text.h"

#include <charconv>

namespace pellamo {

namespace {

// The shortest form that reads back as the same value, always with a
// decimal point or an exponent so a reader takes it as a float.
std::string FloatLiteral(double value)
{
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, result.ptr);
    if (text.find_first_of(".e") == std::string::npos && text.find_first_of("0123456789") != std::string::npos)
        text += ".0";
    return text;
}

std::string Quote(const std::string& s)
{
    if (s.empty())
        return "''";
    std::string out;
    bool open = false;
    for (char c : s) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            if (open) {
                out += '\'';
                open = false;
            }
            out += '#' + std::to_string(u);
            continue;
        }
        if (!open) {
            out += '\'';
            open = true;
        }
        if (c == '\'')
            out += '\'';
        out += c;
    }
    if (open)
        out += '\'';
    return out;
}

std::string Hex(const Bytes& bytes, const std::string& indent)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 32 == 0)
            out += "\n" + indent + "  ";
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out + "}";
}

class Writer {
public:
    explicit Writer(const TComponent& root)
        : root_(root)
    {
    }

    std::string Run()
    {
        WriteObject(root_, "");
        return std::move(out_);
    }

private:
    void WriteObject(const TComponent& c, const std::string& indent)
    {
        out_ += indent + "object " + c.Name() + ": " + c.ClassName() + "\n";
        WriteProperties(c, "", indent + "  ", 0);
        for (int i = 0; i < root_.ComponentCount(); ++i) {
            const TComponent* child = root_.Components(i);
            // An unnamed component is not part of the design (a description
            // cannot name it).
            if (!child->Name().empty() && ParentOf(*child) == &c)
                WriteObject(*child, indent + "  ");
        }
        out_ += indent + "end\n";
    }

    // The component a child is written inside: its parent component when
    // the root owns that one, else the root.
    const TComponent* ParentOf(const TComponent& child) const
    {
        const TComponent* parent = child.GetParentComponent();
        if (parent && parent != &child && (parent == &root_ || parent->Owner() == &root_))
            return parent;
        return &root_;
    }

    std::string ReferenceName(const TComponent* target) const
    {
        if (!target || target->Name().empty())
            return {};
        if (target == &root_ || target->Owner() == &root_)
            return target->Name();
        return {};
    }

    void WriteProperties(const TPersistent& object, const std::string& prefix, const std::string& indent, int depth)
    {
        if (depth > 8)
            return;
        for (const PropInfo* p : object.Class().Props()) {
            if (prefix.empty() && SameText(p->name, "Name") && dynamic_cast<const TComponent*>(&object))
                continue;
            if (p->stored && !p->stored(object))
                continue;
            std::string name = prefix + p->name;
            std::string value;
            switch (p->kind) {
            case PropKind::Integer:
                value = std::to_string(p->get_ord(object));
                break;
            case PropKind::Float:
                value = FloatLiteral(p->get_float(object));
                break;
            case PropKind::Boolean:
                value = p->get_ord(object) ? "True" : "False";
                break;
            case PropKind::Enumeration:
                value = p->enum_info->Name(p->get_ord(object));
                break;
            case PropKind::Color: {
                auto color = static_cast<TColor>(p->get_ord(object));
                value = ColorName(color);
                if (value.empty())
                    value = std::to_string(color);
                break;
            }
            case PropKind::String:
                value = Quote(p->get_str(object));
                break;
            case PropKind::Set:
                value = SetToString(*p->enum_info, static_cast<std::uint64_t>(p->get_ord(object)));
                break;
            case PropKind::Component:
                value = ReferenceName(p->get_component(object));
                break;
            case PropKind::Event:
                value = p->get_handler_name(object);
                break;
            case PropKind::Binary: {
                Bytes bytes = p->get_bytes(object);
                if (!bytes.empty())
                    value = Hex(bytes, indent);
                break;
            }
            case PropKind::Object: {
                const TPersistent* sub = p->get_object(object);
                if (auto* strings = dynamic_cast<const TStrings*>(sub)) {
                    if (strings->Count() == 0)
                        break;
                    value = "(";
                    for (int i = 0; i < strings->Count(); ++i)
                        value += "\n" + indent + "  " + Quote(strings->Get(i));
                    value += ")";
                } else if (sub && sub != &object) {
                    WriteProperties(*sub, name + ".", indent, depth + 1);
                }
                break;
            }
            case PropKind::Collection: {
                auto* coll = dynamic_cast<const TCollection*>(p->get_object(object));
                if (!coll || coll->Count() == 0)
                    break;
                out_ += indent + name + " = <\n";
                for (int i = 0; i < coll->Count(); ++i) {
                    out_ += indent + "  item\n";
                    WriteProperties(*coll->Items(i), "", indent + "    ", depth + 1);
                    out_ += indent + "  end";
                    out_ += i + 1 < coll->Count() ? "\n" : ">\n";
                }
                break;
            }
            }
            if (!value.empty())
                out_ += indent + name + " = " + value + "\n";
        }
    }

    const TComponent& root_;
    std::string out_;
};

}

std::string DescriptionWriter::Write(const TComponent& root) { return Writer(root).Run(); }

}
