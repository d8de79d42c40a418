#include "platform/components/description_parser.h"

#include "platform/components/component_errors.h"
#include "platform/text/float_format.h"
#include "platform/text/percent_encoding.h"
#include "platform/text/same_text.h"

#include <limits>
#include <optional>

namespace pellamo {

const char* DescValueTypeName(DescValue::Type type)
{
    switch (type) {
    case DescValue::Type::Integer:
        return "an integer";
    case DescValue::Type::Float:
        return "a floating-point number";
    case DescValue::Type::Identifier:
        return "a name";
    case DescValue::Type::String:
        return "a string";
    case DescValue::Type::Set:
        return "a set";
    case DescValue::Type::Binary:
        return "binary data";
    case DescValue::Type::List:
        return "a list";
    case DescValue::Type::Collection:
        return "a collection";
    }
    return "a value";
}

namespace {

// Objects, collections and lists together; deep enough for any real window.
constexpr int kMaxDepth = 32;

enum class Tok { End, Ident, Number, Str, Binary, Symbol };

struct Token {
    Tok kind = Tok::End;
    int line = 1;
    std::string text; // Ident, Str (the piece's bytes)
    std::uint64_t magnitude = 0; // Number
    bool is_float = false; // Number with a fraction or an exponent
    double real = 0; // its value
    Bytes bytes; // Binary
    char symbol = 0; // Symbol
    bool spaced = false; // blanks, line breaks or a comment came before it
};

bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Printable(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F)
        return std::string("'") + c + "'";
    static const char digits[] = "0123456789ABCDEF";
    return std::string("byte $") + digits[u >> 4] + digits[u & 15];
}

class Lexer {
public:
    explicit Lexer(std::string_view text)
        : text_(text)
    {
    }

    Token Next()
    {
        size_t before = pos_;
        SkipBlanks();
        Token t;
        t.line = line_;
        t.spaced = pos_ != before;
        if (pos_ >= text_.size())
            return t;
        char c = text_[pos_];
        if (IsAlpha(c)) {
            t.kind = Tok::Ident;
            t.text = ReadName();
        } else if (IsDigit(c) && FloatLength() > 0) {
            t.kind = Tok::Number;
            t.is_float = true;
            t.real = ReadFloat();
        } else if (IsDigit(c) || c == '$') {
            t.kind = Tok::Number;
            t.magnitude = ReadNumber();
        } else if (c == '\'' || c == '#') {
            t.kind = Tok::Str;
            t.text = ReadStringPiece();
        } else if (c == '{') {
            t.kind = Tok::Binary;
            t.bytes = ReadBinary();
        } else if (std::string_view("=:[],()<>+-").find(c) != std::string_view::npos) {
            t.kind = Tok::Symbol;
            t.symbol = c;
            ++pos_;
        } else {
            Fail("unexpected " + Printable(c));
        }
        return t;
    }

    int Line() const { return line_; }

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw EDescriptionError(line_, reason); }

    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    std::string ReadName()
    {
        size_t start = pos_;
        for (;;) {
            while (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_])))
                ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '.') {
                if (pos_ + 1 >= text_.size() || !IsAlpha(text_[pos_ + 1]))
                    Fail("bad name \"" + std::string(text_.substr(start, pos_ + 1 - start)) + "\"");
                ++pos_;
                continue;
            }
            break;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    // The length of a decimal number with a fraction (digits, '.', digits)
    // or an exponent (E, a sign, digits) at the position; 0 for any other.
    size_t FloatLength() const
    {
        size_t i = pos_;
        auto digits = [&] {
            size_t from = i;
            while (i < text_.size() && IsDigit(text_[i]))
                ++i;
            return i > from;
        };
        digits();
        bool fraction = false;
        if (i + 1 < text_.size() && text_[i] == '.' && IsDigit(text_[i + 1])) {
            ++i;
            digits();
            fraction = true;
        }
        size_t before_exponent = i;
        if (i < text_.size() && (text_[i] == 'E' || text_[i] == 'e')) {
            ++i;
            if (i < text_.size() && (text_[i] == '+' || text_[i] == '-'))
                ++i;
            if (digits())
                return i - pos_;
            i = before_exponent;
        }
        return fraction ? i - pos_ : 0;
    }

    double ReadFloat()
    {
        size_t length = FloatLength();
        std::string_view literal = text_.substr(pos_, length);
        // A value too small for a double reads as zero.
        std::optional<double> value = TextToFloat(literal, NumberLocale());
        if (!value)
            Fail("number too large");
        pos_ += length;
        if (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.'))
            Fail("bad number \"" + std::string(literal) + text_[pos_] + "...\"");
        return *value;
    }

    std::uint64_t ReadNumber()
    {
        size_t start = pos_;
        std::uint64_t value = 0;
        bool hex = text_[pos_] == '$';
        if (hex)
            ++pos_;
        size_t digits = 0;
        for (; pos_ < text_.size(); ++pos_, ++digits) {
            int d = hex ? HexDigitValue(text_[pos_]) : (IsDigit(text_[pos_]) ? text_[pos_] - '0' : -1);
            if (d < 0)
                break;
            unsigned base = hex ? 16 : 10;
            if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(d)) / base)
                Fail("number too large");
            value = value * base + static_cast<unsigned>(d);
        }
        if (digits == 0
            || (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.'))) {
            size_t end = pos_;
            while (end < text_.size() && (IsAlpha(text_[end]) || IsDigit(text_[end]) || text_[end] == '.'))
                ++end;
            Fail("bad number \"" + std::string(text_.substr(start, end - start)) + "\"");
        }
        return value;
    }

    // One quoted run or one #NNN code.
    std::string ReadStringPiece()
    {
        std::string out;
        if (text_[pos_] == '#') {
            ++pos_;
            bool hex = pos_ < text_.size() && text_[pos_] == '$';
            if (hex)
                ++pos_;
            unsigned value = 0;
            size_t digits = 0;
            for (; pos_ < text_.size(); ++pos_, ++digits) {
                int d = hex ? HexDigitValue(text_[pos_]) : (IsDigit(text_[pos_]) ? text_[pos_] - '0' : -1);
                if (d < 0)
                    break;
                value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
                if (value > 255)
                    Fail("character code out of range (0 to 255)");
            }
            if (digits == 0)
                Fail("character code expected after #");
            out += static_cast<char>(value);
            return out;
        }
        int start_line = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                throw EDescriptionError(start_line, "unterminated string");
            char c = text_[pos_++];
            if (c == '\'') {
                if (pos_ < text_.size() && text_[pos_] == '\'') {
                    out += '\'';
                    ++pos_;
                    continue;
                }
                return out;
            }
            out += c;
        }
    }

    Bytes ReadBinary()
    {
        int start_line = line_;
        ++pos_;
        Bytes out;
        int high = -1;
        for (;;) {
            if (pos_ >= text_.size())
                throw EDescriptionError(start_line, "unterminated binary value (missing })");
            char c = text_[pos_++];
            if (c == '}')
                break;
            if (c == '\n') {
                ++line_;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r')
                continue;
            int d = HexDigitValue(c);
            if (d < 0)
                Fail("bad hex digit " + Printable(c) + " in binary value");
            if (high < 0) {
                high = d;
            } else {
                out.push_back(static_cast<std::uint8_t>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0)
            throw EDescriptionError(line_, "odd number of hex digits in binary value");
        return out;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    explicit Parser(std::string_view text)
        : lexer_(text)
    {
        Advance();
    }

    DescObject Run()
    {
        if (!IsKeyword("object"))
            Fail(tok_.line, "a description starts with \"object\"");
        DescObject root = ParseObject(1);
        if (tok_.kind != Tok::End)
            Fail(tok_.line, "text after the end of the description");
        return root;
    }

private:
    [[noreturn]] static void Fail(int line, const std::string& reason) { throw EDescriptionError(line, reason); }

    void Advance() { tok_ = lexer_.Next(); }

    bool IsKeyword(const char* word) const { return tok_.kind == Tok::Ident && SameText(tok_.text, word); }
    bool IsSymbol(char c) const { return tok_.kind == Tok::Symbol && tok_.symbol == c; }

    std::string Describe() const
    {
        switch (tok_.kind) {
        case Tok::End:
            return "end of text";
        case Tok::Ident:
            return "\"" + tok_.text + "\"";
        case Tok::Number:
            return "a number";
        case Tok::Str:
            return "a string";
        case Tok::Binary:
            return "binary data";
        case Tok::Symbol:
            return std::string("'") + tok_.symbol + "'";
        }
        return "?";
    }

    std::string ExpectPlainName(const char* what)
    {
        if (tok_.kind != Tok::Ident || tok_.text.find('.') != std::string::npos)
            Fail(tok_.line, std::string(what) + " expected, found " + Describe());
        std::string name = tok_.text;
        Advance();
        return name;
    }

    void ExpectSymbol(char c, const std::string& context)
    {
        if (!IsSymbol(c))
            Fail(tok_.line, std::string("'") + c + "' expected " + context + ", found " + Describe());
        Advance();
    }

    // At "object".
    DescObject ParseObject(int depth)
    {
        if (depth > kMaxDepth)
            Fail(tok_.line, "objects nested too deeply");
        DescObject obj;
        obj.line = tok_.line;
        Advance();
        obj.name = ExpectPlainName("component name");
        ExpectSymbol(':', "after the component name " + obj.name);
        obj.class_name = ExpectPlainName("class name");
        for (;;) {
            if (tok_.kind == Tok::End)
                Fail(tok_.line,
                    "missing \"end\" of object " + obj.name + " (begun on line " + std::to_string(obj.line) + ")");
            if (IsKeyword("end")) {
                Advance();
                return obj;
            }
            if (IsKeyword("object")) {
                obj.children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (tok_.kind != Tok::Ident)
                Fail(tok_.line, "property name, \"object\" or \"end\" expected, found " + Describe());
            if (!obj.children.empty())
                Fail(tok_.line, "property " + tok_.text + " after a nested object; properties come first");
            obj.properties.push_back(ParseAssignment(depth));
        }
    }

    DescAssignment ParseAssignment(int depth)
    {
        DescAssignment a;
        a.line = tok_.line;
        a.path = tok_.text;
        Advance();
        ExpectSymbol('=', "after property " + a.path);
        a.value = ParseValue(depth);
        return a;
    }

    DescValue ParseValue(int depth)
    {
        if (depth > kMaxDepth)
            Fail(tok_.line, "values nested too deeply");
        DescValue v;
        v.line = tok_.line;
        if (tok_.kind == Tok::Number || IsSymbol('-')) {
            bool negative = IsSymbol('-');
            if (negative) {
                Advance();
                if (tok_.kind != Tok::Number)
                    Fail(tok_.line, "number expected after '-'");
            }
            if (tok_.is_float) {
                v.type = DescValue::Type::Float;
                v.real = negative ? -tok_.real : tok_.real;
                Advance();
                return v;
            }
            std::uint64_t limit = negative ? std::uint64_t { 1 } << 63
                                           : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
            if (tok_.magnitude > limit)
                Fail(tok_.line, "number too large");
            v.type = DescValue::Type::Integer;
            v.integer
                = negative ? static_cast<std::int64_t>(0 - tok_.magnitude) : static_cast<std::int64_t>(tok_.magnitude);
            Advance();
            return v;
        }
        switch (tok_.kind) {
        case Tok::Str:
            v.type = DescValue::Type::String;
            v.text = ParseStringPieces();
            return v;
        case Tok::Ident:
            if (IsKeyword("end") || IsKeyword("object") || IsKeyword("item"))
                Fail(tok_.line, "value expected, found " + Describe());
            v.type = DescValue::Type::Identifier;
            v.text = tok_.text;
            Advance();
            return v;
        case Tok::Binary:
            v.type = DescValue::Type::Binary;
            v.bytes = std::move(tok_.bytes);
            Advance();
            return v;
        default:
            break;
        }
        if (IsSymbol('[')) {
            v.type = DescValue::Type::Set;
            Advance();
            if (IsSymbol(']')) {
                Advance();
                return v;
            }
            for (;;) {
                v.names.push_back(ExpectPlainName("set value"));
                if (IsSymbol(']')) {
                    Advance();
                    return v;
                }
                ExpectSymbol(',', "between set values");
            }
        }
        if (IsSymbol('(')) {
            v.type = DescValue::Type::List;
            Advance();
            while (!IsSymbol(')')) {
                if (tok_.kind == Tok::End)
                    Fail(tok_.line, "missing ')' of the list begun on line " + std::to_string(v.line));
                if (tok_.kind != Tok::Str && tok_.kind != Tok::Number && tok_.kind != Tok::Ident && !IsSymbol('-'))
                    Fail(tok_.line, "list item expected, found " + Describe());
                v.list.push_back(ParseValue(depth + 1));
            }
            Advance();
            return v;
        }
        if (IsSymbol('<')) {
            v.type = DescValue::Type::Collection;
            Advance();
            while (!IsSymbol('>')) {
                if (!IsKeyword("item"))
                    Fail(tok_.line,
                        "\"item\" or '>' expected in the collection begun on line " + std::to_string(v.line)
                            + ", found " + Describe());
                int item_line = tok_.line;
                Advance();
                std::vector<DescAssignment> item;
                while (!IsKeyword("end")) {
                    if (tok_.kind == Tok::End)
                        Fail(tok_.line, "missing \"end\" of the item begun on line " + std::to_string(item_line));
                    if (tok_.kind != Tok::Ident)
                        Fail(tok_.line, "property name or \"end\" expected, found " + Describe());
                    item.push_back(ParseAssignment(depth + 1));
                }
                Advance();
                v.items.push_back(std::move(item));
            }
            Advance();
            return v;
        }
        Fail(tok_.line, "value expected, found " + Describe());
    }

    // 'a'#13'b' + 'c': pieces joined directly or by '+'; a piece after a
    // blank starts the next list item.
    std::string ParseStringPieces()
    {
        std::string out = tok_.text;
        Advance();
        for (;;) {
            if (tok_.kind == Tok::Str && !tok_.spaced) {
                out += tok_.text;
                Advance();
            } else if (IsSymbol('+')) {
                Advance();
                if (tok_.kind != Tok::Str)
                    Fail(tok_.line, "string expected after '+'");
                out += tok_.text;
                Advance();
            } else {
                return out;
            }
        }
    }

    Lexer lexer_;
    Token tok_;
};

}

DescObject ParseDescription(std::string_view text) { return Parser(text).Run(); }

}
