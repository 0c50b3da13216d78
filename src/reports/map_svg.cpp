#include "reports/map_svg.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace vqx {

QString svgColour(unsigned rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

namespace {
void writeAttribute(QXmlStreamWriter &writer, const QXmlStreamAttribute &a)
{
    writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
}
} // namespace

QByteArray paintMapSvg(const QByteArray &svg, const MapPaint &paint)
{
    // Without namespace processing the names and the xmlns attributes are
    // copied as written, so the output reads like the input.
    QXmlStreamReader reader(svg);
    reader.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.hasError())
            return {};
        if (reader.isStartElement()) {
            const QXmlStreamAttributes attributes = reader.attributes();
            const auto it =
                paint.fillById.constFind(attributes.value(QLatin1String("id")).toString());
            if (it != paint.fillById.constEnd()) {
                writer.writeStartElement(reader.qualifiedName().toString());
                for (const QXmlStreamAttribute &a : attributes) {
                    const QStringView name = a.qualifiedName();
                    if (name != QLatin1String("fill") && name != QLatin1String("stroke") &&
                        name != QLatin1String("stroke-width") && name != QLatin1String("style"))
                        writeAttribute(writer, a);
                }
                writer.writeAttribute(QStringLiteral("fill"), it.value());
                if (!paint.stroke.isEmpty()) {
                    writer.writeAttribute(QStringLiteral("stroke"), paint.stroke);
                    writer.writeAttribute(QStringLiteral("stroke-width"), paint.strokeWidth);
                }
                continue;
            }
            writer.writeStartElement(reader.qualifiedName().toString());
            for (const QXmlStreamAttribute &a : attributes)
                writeAttribute(writer, a);
            continue;
        }
        if (reader.isStartDocument())
            continue;
        writer.writeCurrentToken(reader);
    }
    return out;
}

QHash<QString, QString> mapElementNames(const QByteArray &svg)
{
    QHash<QString, QString> names;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        const QString id = a.value(QLatin1String("id")).toString();
        const QString name = a.value(QLatin1String("aria-label")).toString();
        if (!id.isEmpty() && !name.isEmpty())
            names.insert(id, name);
    }
    return names;
}

} // namespace vqx
