#include "support/XmlTestSupport.h"

#include "config_zelmar/ConfigurationDocument.h"

#include <QBuffer>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace xml_test {

QByteArray saveToBytes(const config_zelmar::Configuration& configuration)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    config_zelmar::ConfigurationDocument::write(buffer, configuration);
    return bytes;
}

QString openFromBytes(const QByteArray& bytes, config_zelmar::Configuration& configuration)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return config_zelmar::ConfigurationDocument::read(buffer, configuration);
}

QByteArray documentWith(const std::string& children)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<configuration deviceId=\"Zelmar\" version=\"2\">") +
           QByteArray::fromStdString(children) + QByteArray("</configuration>\n");
}

} // namespace xml_test
