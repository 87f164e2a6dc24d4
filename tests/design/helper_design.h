// What the design tests share: reading a form file's presets text.
#pragma once

#include <QString>
#include <QXmlStreamReader>

/// The text of the first PresetsStream property in a form (file contents or a device); null when none.
template<class Source> QString presetsStreamIn(Source &&form)
{
    QXmlStreamReader reader(form);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("property")
            && reader.attributes().value(QLatin1String("name")) == QLatin1String("PresetsStream")
            && reader.readNextStartElement())
            return reader.readElementText();
    }
    return QString();
}
