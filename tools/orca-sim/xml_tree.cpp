#include "xml_tree.h"

#include <algorithm>

XmlNode XmlNode::Val(const QString& name, const QString& value) {
  XmlNode n;
  n.name = name;
  n.value = value;
  return n;
}

XmlNode XmlNode::Rec(const QString& name, const QList<XmlNode>& children) {
  XmlNode n;
  n.name = name;
  n.kind = Record;
  n.children = children;
  return n;
}

XmlNode XmlNode::Arr(const QString& name, const QList<XmlNode>& items) {
  XmlNode n = Rec(name, items);
  n.kind = Array;
  return n;
}

XmlNode XmlNode::Item(const QList<XmlNode>& children) {
  return Rec(QString(), children);
}

XmlNode& XmlNode::add(const XmlNode& child) {
  children.append(child);
  return *this;
}

XmlNode& XmlNode::add(const QString& name, const QString& value) {
  return add(Val(name, value));
}

bool XmlNode::isEmpty() const {
  if (kind == Value) return value.isEmpty();
  return std::all_of(children.begin(), children.end(), [](const XmlNode& c) { return c.isEmpty(); });
}

QString EscapeElementText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '&':
        out += QLatin1String("&amp;");
        break;
      case '<':
        out += QLatin1String("&lt;");
        break;
      case '>':
        out += QLatin1String("&gt;");
        break;
      case '\r':
        out += QLatin1String("&#13;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

const char* TypeOf(XmlNode::Kind kind) {
  switch (kind) {
    case XmlNode::Record:
      return "record";
    case XmlNode::Array:
      return "array";
    case XmlNode::Value:
      break;
  }
  return "string";
}

void Write(const XmlNode& node, const QString& name, int depth, XmlLayout layout, QString& out) {
  if (node.isEmpty()) return;  // ORCA never writes an empty element
  const QString indent = layout == XmlLayout::Classic ? QString(depth * 2, QLatin1Char(' ')) : QString();
  const QString end = layout == XmlLayout::Compact ? QString() : QStringLiteral("\n");
  const QString open = indent + QLatin1Char('<') + name + QLatin1String(" type=\"") +
                       QLatin1String(TypeOf(node.kind)) + QLatin1String("\">");
  if (node.kind == XmlNode::Value) {
    out += open + EscapeElementText(node.value) + QLatin1String("</") + name + QLatin1Char('>') + end;
    return;
  }
  out += open + end;
  for (const XmlNode& child : node.children) {
    const QString childName = node.kind == XmlNode::Array ? name + QLatin1String("_child") : child.name;
    Write(child, childName, depth + 1, layout, out);
  }
  out += indent + QLatin1String("</") + name + QLatin1Char('>') + end;
}

QString Declaration(XmlLayout layout) {
  switch (layout) {
    case XmlLayout::Classic:
      return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    case XmlLayout::Compact:
      return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    case XmlLayout::Plain:
      break;
  }
  return QString();
}

}  // namespace

QByteArray WriteXmlio2(const XmlNode& record, XmlLayout layout) {
  const QString end = layout == XmlLayout::Compact ? QString() : QStringLiteral("\n");
  QString out = Declaration(layout) + QLatin1String("<xmlio2>") + end;
  Write(record, record.name, 1, layout, out);
  out += QLatin1String("</xmlio2>") + end;
  return out.toUtf8();
}

QByteArray WriteRootDocument(const XmlNode& root, XmlLayout layout) {
  QString out = Declaration(layout);
  Write(root, root.name, 0, layout, out);
  return out.toUtf8();
}
