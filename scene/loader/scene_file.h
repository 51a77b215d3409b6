#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace coilrun::scene {

// A scene file is a tree of declarations, one object or component each:
//
//     # the menu logo group
//     TGLDummyCube DummyMenu {
//         Position = 0, 0, -3
//         CubeSize = 16
//         TGLSphere ball1 { Radius = 0.25  Visible = false }
//     }
//
// A declaration is a class name, an object name and a block of properties
// ("Name = value") and nested declarations (the children, in drawing order).
// A value is a comma-separated list of items: numbers, identifiers (true,
// false, enumeration names, names of other objects), "strings" (a backslash
// escapes a quote or a backslash), or a bracketed list [ "Resume", "Restart" ].

struct Value {
    enum class Kind { Number, Identifier, String, List };
    Kind kind = Kind::Number;
    std::string text;         // the number as written, the identifier or the string
    double number = 0;        // for Number
    std::vector<Value> items; // for List
    int line = 0;
};

struct Property {
    std::string name;
    std::vector<Value> values; // the comma-separated items
    int line = 0;
};

struct Declaration {
    std::string className;
    std::string name;
    std::vector<Property> properties;
    std::vector<std::unique_ptr<Declaration>> children;
    int line = 0;
};

// A fault in a scene file, with the line it is on (1-based).
class SceneFileError : public std::runtime_error {
public:
    SceneFileError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Parses a whole file into its top-level declarations; throws SceneFileError.
std::vector<std::unique_ptr<Declaration>> parseSceneFile(std::string_view text);

} // namespace coilrun::scene
