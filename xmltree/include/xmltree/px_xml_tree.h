#pragma once

#include <string>

namespace xmltree {

/// A small document tree over the Xerces-C DOM: create a document with a
/// named root or load one from a file, walk it element by element, read names,
/// texts and attributes, add children and save it as indented ISO-8859-1 XML.
/// The first live tree starts Xerces, the destruction of the last stops it.
class PxXmlTree {
 public:
  class Impl;
  class NodeImpl;

  /// Handle of an element of a tree (value semantics; a view, owning nothing).
  class Node {
   public:
    Node();
    Node(const Node& other);
    Node& operator=(const Node& other);
    ~Node();

    /// True when the handle designates a node.
    bool IsValid() const;
    /// The node's name; "" for an empty handle.
    std::string GetNodeName() const;
    /// Value of the node's first text child; "" when it has none.
    std::string GetNodeText() const;
    /// The same, stored into `text`; always true.
    bool GetNodeText(std::string& text) const;
    /// First child element; an empty handle when there is none.
    Node FirstChildElement() const;
    /// Next sibling element; an empty handle at the end.
    Node NextSiblingElement() const;
    /// The attribute's text into `value` and true; false (value unchanged)
    /// when the element has no such attribute.
    bool GetAttribute(const std::string& name, std::string& value) const;
    /// Sets the element's attribute `name` to `value`, whose characters are
    /// stored as by AddChildWithText; false when this handle is empty or
    /// `name` is not a valid attribute name.
    bool SetAttribute(const std::string& name, const std::string& value) const;

    /// Appends a child element `name` and returns a handle on it; an empty
    /// handle (nothing added) when this handle is empty or `name` is not a
    /// valid element name.
    Node AddChild(const std::string& name) const;
    /// Appends a child element `name` holding the text `value` (also when it
    /// is empty). A value of U+0001 alone is stored as "###Uninitialized###";
    /// every character that an XML file cannot hold (other control characters
    /// than tab, line feed and carriage return, U+FFFE, U+FFFF, a surrogate
    /// without its partner) becomes "?". Returns a handle on the child; does
    /// nothing (an empty handle) where AddChild adds nothing.
    Node AddChildWithText(const std::string& name, const std::string& value) const;
    Node AddChildWithText(const std::string& name, const char* value) const;

   private:
    friend class PxXmlTree;
    friend class Impl;
    NodeImpl* impl_;
  };

  /// An empty tree, to be filled by LoadFile.
  PxXmlTree();
  /// A tree holding a new document with the root element `rootName`; an
  /// empty tree when `rootName` is not a valid element name.
  explicit PxXmlTree(const std::string& rootName);
  ~PxXmlTree();
  PxXmlTree(const PxXmlTree&) = delete;
  PxXmlTree& operator=(const PxXmlTree&) = delete;

  /// Loads the file. False when it is missing or unreadable (silently), not
  /// a regular file or larger than 64 MB (a line on standard error, nothing
  /// read), not well-formed (a report on standard error) or invalid against
  /// its DTD (silently). External DTDs and entities are never fetched: a
  /// reference to one, like a document that expands far beyond its size
  /// (more than 1000 entity expansions, or 10 million characters more than
  /// the file holds), fails the load with one report. Never throws; a failed
  /// load leaves the library ready for the next. A successful load replaces
  /// the document held before; a failed one keeps it.
  bool LoadFile(const std::string& path);
  /// What the last LoadFile wrote to standard error, without the final line
  /// end: the parser's reports of a file that is not well-formed, or why the
  /// file was not read. "" after a load that succeeded or failed silently.
  const std::string& LoadError() const;
  /// Handle of the root element; empty when the tree holds no document.
  Node GetRoot() const;
  /// Writes the document (CR LF line ends) through a temporary file renamed
  /// into place; false, with any previous file intact, when writing fails or
  /// the tree holds no document.
  bool SaveFile(const std::string& path);

 private:
  Impl* impl_;
};

}  // namespace xmltree
