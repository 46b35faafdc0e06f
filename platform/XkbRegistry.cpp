#include "platform/XkbRegistry.h"

#include <QFile>
#include <QXmlStreamReader>

namespace platform {

namespace {

// The name and description of the configItem the reader stands in; it ends on its end tag.
std::pair<QString, QString> readConfigItem(QXmlStreamReader& xml) {
    QString name, description;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("name"))
            name = xml.readElementText().trimmed();
        else if (xml.name() == QLatin1String("description"))
            description = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    return {name, description};
}

// The variants of a variantList, after their layout.
void readVariants(QXmlStreamReader& xml, const QString& layout, QVector<KeyboardLayoutInfo>& out) {
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("variant")) {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("configItem")) {
                xml.skipCurrentElement();
                continue;
            }
            const auto [name, description] = readConfigItem(xml);
            if (!name.isEmpty()) out.push_back({layout + u'(' + name + u')', description.isEmpty() ? name : description});
        }
    }
}

void readLayout(QXmlStreamReader& xml, QVector<KeyboardLayoutInfo>& out) {
    QString layout;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("configItem")) {
            const auto [name, description] = readConfigItem(xml);
            layout = name;
            if (!name.isEmpty()) out.push_back({name, description.isEmpty() ? name : description});
        } else if (xml.name() == QLatin1String("variantList") && !layout.isEmpty()) {
            readVariants(xml, layout, out);
        } else {
            xml.skipCurrentElement();
        }
    }
}

}  // namespace

QVector<KeyboardLayoutInfo> ReadXkbLayouts(QIODevice& registry) {
    QVector<KeyboardLayoutInfo> out;
    QXmlStreamReader xml(&registry);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("layout")) readLayout(xml, out);
    }
    if (xml.hasError()) return {};
    return out;
}

QVector<KeyboardLayoutInfo> ReadXkbLayouts(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ReadXkbLayouts(f);
}

}  // namespace platform
