#include "scene/loader/scene_file.h"

#include <cctype>
#include <charconv>

namespace coilrun::scene {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<std::unique_ptr<Declaration>> file() {
        std::vector<std::unique_ptr<Declaration>> top;
        skipBlank();
        while (!atEnd()) {
            top.push_back(declaration());
            skipBlank();
        }
        return top;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    [[noreturn]] void fail(const std::string& message) const {
        throw SceneFileError(line_, message);
    }

    void advance() {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }

    // Blanks, line ends and comments (from '#' to the end of the line).
    void skipBlank() {
        while (!atEnd()) {
            const char c = peek();
            if (c == '#') {
                while (!atEnd() && peek() != '\n')
                    advance();
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                advance();
            } else {
                return;
            }
        }
    }

    // Blanks within a line only: a property value ends at the line's end.
    void skipInline() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\r'))
            advance();
        if (peek() == '#')
            while (!atEnd() && peek() != '\n')
                advance();
    }

    static bool identStart(char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
    }
    static bool identChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    }

    std::string identifier(const char* what) {
        if (!identStart(peek())) fail(std::string("expected ") + what);
        const std::size_t start = pos_;
        while (!atEnd() && identChar(peek()))
            advance();
        return std::string(text_.substr(start, pos_ - start));
    }

    void expect(char c, const char* what) {
        if (peek() != c) fail(std::string("expected ") + what);
        advance();
    }

    std::unique_ptr<Declaration> declaration() {
        auto decl = std::make_unique<Declaration>();
        decl->line = line_;
        decl->className = identifier("a class name");
        skipInline();
        decl->name = identifier("an object name after the class name");
        skipBlank();
        expect('{', "'{' to open the block");
        for (;;) {
            skipBlank();
            if (atEnd()) fail("the block of " + decl->name + " is not closed");
            if (peek() == '}') {
                advance();
                break;
            }
            if (peek() == ';') { // optional separator between properties on one line
                advance();
                continue;
            }
            const int memberLine = line_;
            const std::size_t memberPos = pos_;
            std::string first = identifier("a property or a declaration");
            skipInline();
            if (peek() == '=') {
                advance();
                Property prop{std::move(first), {}, memberLine};
                skipInline();
                prop.values.push_back(item());
                for (skipInline(); peek() == ','; skipInline()) {
                    advance();
                    skipBlankAllowingContinuation();
                    prop.values.push_back(item());
                }
                if (!atEnd() && peek() != '\n' && peek() != ';' && peek() != '}' &&
                    !identStart(peek()))
                    fail("unexpected text after the value of " + prop.name);
                decl->properties.push_back(std::move(prop));
            } else if (identStart(peek())) {
                // A nested declaration: read it again from its class name.
                pos_ = memberPos;
                line_ = memberLine;
                decl->children.push_back(declaration());
            } else {
                fail("expected '=' after " + first);
            }
        }
        return decl;
    }

    // After a comma a value may go on on the next line.
    void skipBlankAllowingContinuation() { skipBlank(); }

    Value item() {
        Value v;
        v.line = line_;
        const char c = peek();
        if (c == '"') {
            v.kind = Value::Kind::String;
            advance();
            for (;;) {
                if (atEnd() || peek() == '\n') fail("a string is not closed");
                char ch = peek();
                advance();
                if (ch == '"') break;
                if (ch == '\\') {
                    if (atEnd()) fail("a string is not closed");
                    ch = peek();
                    advance();
                    if (ch == 'n')
                        ch = '\n';
                    else if (ch == 'r')
                        ch = '\r';
                    else if (ch != '"' && ch != '\\')
                        fail("unknown escape in a string");
                }
                v.text += ch;
            }
        } else if (c == '[') {
            v.kind = Value::Kind::List;
            advance();
            skipBlank();
            if (peek() != ']') {
                for (;;) {
                    v.items.push_back(item());
                    skipBlank();
                    if (peek() == ']') break;
                    expect(',', "',' or ']' in a list");
                    skipBlank();
                }
            }
            advance();
        } else if (c == '-' || c == '+' || c == '.' ||
                   std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = Value::Kind::Number;
            const std::size_t start = pos_;
            if (c == '-' || c == '+') advance();
            // Everything that could belong to the word is taken, so that "1x" is
            // reported as a bad number rather than as a number and a name.
            while (!atEnd() && (identChar(peek()) || peek() == '.' ||
                                ((peek() == '-' || peek() == '+') &&
                                 (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E'))))
                advance();
            v.text = std::string(text_.substr(start, pos_ - start));
            const char* first = v.text.data() + (v.text[0] == '+' ? 1 : 0);
            auto [end, ec] = std::from_chars(first, v.text.data() + v.text.size(), v.number);
            if (ec != std::errc() || end != v.text.data() + v.text.size())
                fail("'" + v.text + "' is not a number");
        } else if (identStart(c)) {
            v.kind = Value::Kind::Identifier;
            v.text = identifier("a value");
        } else {
            fail("expected a value");
        }
        return v;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<std::unique_ptr<Declaration>> parseSceneFile(std::string_view text) {
    return Parser(text).file();
}

} // namespace coilrun::scene
