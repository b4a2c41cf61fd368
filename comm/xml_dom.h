#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small read-only DOM over libxml2: what the configuration loader needs and no more.
// The parser runs hardened: no network, no DTD or external entity loading, and libxml2's
// limits against entity expansion bombs stay in force.
struct _xmlDoc;
struct _xmlNode;

namespace netprobe::xml {

class Node {
public:
    explicit Node(_xmlNode* node) : node_(node) {}

    // Child nodes in document order, of every kind. Text nodes made only of white space
    // (the layout between elements) are not nodes of the tree.
    std::vector<Node> ChildNodes() const;
    // The first child element whose name is exactly `name`.
    std::optional<Node> FindChild(std::string_view name) const;
    // The node's value in UTF-8: empty when it has no content, the text when its content is
    // exactly one text or CDATA node; nullopt (unreadable) otherwise.
    std::optional<std::string> Text() const;
    std::string Name() const;

private:
    _xmlNode* node_;
};

class Document {
public:
    // Parses a file; nullptr when the file can't be parsed (the parser's error is dropped).
    static std::unique_ptr<Document> Load(const std::string& path);
    // Parses the bytes of a configuration file already read; nullptr as for Load.
    static std::unique_ptr<Document> LoadFromMemory(std::string_view bytes);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Node Root() const;

private:
    explicit Document(_xmlDoc* doc) : doc_(doc) {}
    _xmlDoc* doc_;
};

}  // namespace netprobe::xml
