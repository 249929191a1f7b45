#pragma once

#include <QList>
#include <QString>

// One element of an answer: a value, a record of elements, or an array of records.
struct XmlNode {
  enum Kind { Value, Record, Array };
  QString name;  // array items carry none: they are written as the array's name + "_child"
  Kind kind = Value;
  QString value;
  QList<XmlNode> children;

  static XmlNode Val(const QString& name, const QString& value);
  static XmlNode Rec(const QString& name, const QList<XmlNode>& children = {});
  static XmlNode Arr(const QString& name, const QList<XmlNode>& items = {});
  static XmlNode Item(const QList<XmlNode>& children = {});

  XmlNode& add(const XmlNode& child);
  XmlNode& add(const QString& name, const QString& value);
  bool isEmpty() const;  // a blank value, or nothing but blank values inside
};

enum class XmlLayout {
  Classic,  // declaration line, two blanks of indentation per level
  Plain,    // no declaration, no indentation
  Compact,  // the whole document on one line: declaration and elements without any break between them
};

// `&`, `<`, `>` and CR escaped; quotes and everything else written as they are.
QString EscapeElementText(const QString& text);

// The answer document: <xmlio2> around the response record. Empty elements are left out.
QByteArray WriteXmlio2(const XmlNode& record, XmlLayout layout);
// A document whose root is the node itself, with its type attribute (the array-shaped answers).
QByteArray WriteRootDocument(const XmlNode& root, XmlLayout layout);
