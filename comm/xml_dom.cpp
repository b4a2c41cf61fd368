#include "comm/xml_dom.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <mutex>
#include <optional>

#include "comm/xml_encodings.h"
#include "core/file_paths.h"

namespace netprobe::xml {
namespace {

bool IsBlankText(const xmlNode* node) {
    if (node->type != XML_TEXT_NODE) return false;
    for (const xmlChar* p = node->content; p && *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
    }
    return true;
}

std::string QualifiedName(const xmlNode* node) {
    std::string name = node->name ? reinterpret_cast<const char*>(node->name) : "";
    if (node->ns && node->ns->prefix) return reinterpret_cast<const char*>(node->ns->prefix) + (":" + name);
    return name;
}

// Never resolve an external resource: a DTD or entity that points elsewhere loads nothing.
// Set on our own parser contexts only, not as libxml2's process-wide entity loader.
xmlParserInputPtr NoExternalEntity(void*, const xmlChar*, const xmlChar*) { return nullptr; }

struct ContextDeleter {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// The name to parse the document with, by the encoding table, when it declares a code page
// encoding; nullptr to leave the encoding to libxml2 (no declaration, a byte-order mark, an
// encoding libxml2 reads by itself). False when the declared name is one no build reads.
bool ForcedEncoding(std::string_view bytes, const char*& forced) {
    forced = nullptr;
    const std::optional<std::string> declared = DeclaredEncoding(bytes);
    if (!declared) return true;
    const std::optional<Encoding> encoding = FindEncoding(*declared);
    if (!encoding) return false;
    if (encoding->code_page != 0) forced = encoding->name;
    return true;
}

void IgnoreError(void*, const char*, ...) {}

// libxml2 reports encoding and I/O errors (a byte sequence invalid in the declared encoding)
// through its generic channel, which XML_PARSE_NOERROR does not reach, and that channel
// writes to standard error: the host's. For the length of a parse the calling thread's
// channels are silenced, and put back afterwards for any other user of libxml2 in the process.
class SilentErrors {
public:
    SilentErrors()
        : generic_(xmlGenericError),
          generic_context_(xmlGenericErrorContext),
          structured_(xmlStructuredError),
          structured_context_(xmlStructuredErrorContext) {
        xmlSetGenericErrorFunc(nullptr, IgnoreError);
        xmlSetStructuredErrorFunc(nullptr, nullptr);
    }
    ~SilentErrors() {
        xmlSetGenericErrorFunc(generic_context_, generic_);
        xmlSetStructuredErrorFunc(structured_context_, structured_);
    }
    SilentErrors(const SilentErrors&) = delete;
    SilentErrors& operator=(const SilentErrors&) = delete;

private:
    xmlGenericErrorFunc generic_;
    void* generic_context_;
    xmlStructuredErrorFunc structured_;
    void* structured_context_;
};

void InitParser() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        RegisterCodePageEncodings();
    });
}

}  // namespace

std::vector<Node> Node::ChildNodes() const {
    std::vector<Node> nodes;
    for (xmlNode* child = node_->children; child; child = child->next) {
        if (!IsBlankText(child)) nodes.emplace_back(child);
    }
    return nodes;
}

std::optional<Node> Node::FindChild(std::string_view name) const {
    for (xmlNode* child = node_->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && QualifiedName(child) == name) return Node(child);
    }
    return std::nullopt;
}

std::optional<std::string> Node::Text() const {
    std::vector<Node> children = ChildNodes();
    if (children.empty()) return std::string();
    if (children.size() != 1) return std::nullopt;
    const xmlNode* only = children.front().node_;
    if (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE) return std::nullopt;
    return std::string(only->content ? reinterpret_cast<const char*>(only->content) : "");
}

std::string Node::Name() const { return QualifiedName(node_); }

std::unique_ptr<Document> Document::Load(const std::string& path) {
    // The file is read here rather than by libxml2, so the path is used as the byte string
    // it is (a GBK installation directory on Windows included).
    std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? LoadFromMemory(*bytes) : nullptr;
}

std::unique_ptr<Document> Document::LoadFromMemory(std::string_view bytes) {
    InitParser();
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) return nullptr;
    const char* forced = nullptr;
    if (!ForcedEncoding(bytes, forced)) return nullptr;
    // No XML_PARSE_NOENT (entities stay references, nothing is expanded or fetched), no
    // DTD loading, no network; errors and warnings are not printed. A code page encoding is
    // given by its table name, and the declaration's own spelling is then not looked up.
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    if (forced) options |= XML_PARSE_IGNORE_ENC;
    std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
    if (!context) return nullptr;
    context->sax->resolveEntity = NoExternalEntity;
    const SilentErrors silent;
    xmlDoc* doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    "MainCommunication.ncc", forced, options);
    if (!doc) return nullptr;
    if (!xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return std::unique_ptr<Document>(new Document(doc));
}

Document::~Document() { xmlFreeDoc(doc_); }

Node Document::Root() const { return Node(xmlDocGetRootElement(doc_)); }

}  // namespace netprobe::xml
