#include "reports/map_svg.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

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
                    writer.writeAttribute(QStringLiteral("stroke-width"),
                                          paint.strokeWidthById.value(it.key(), paint.strokeWidth));
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

double MapInset::scale() const
{
    if (source.isEmpty() || frame.isEmpty())
        return 1.0;
    return std::min(frame.width() / source.width(), frame.height() / source.height());
}

QPointF MapInset::toInset(const QPointF &sourcePoint) const
{
    return frame.center() + (sourcePoint - source.center()) * scale();
}

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

void writeRect(QXmlStreamWriter &writer, const QString &id, const QRectF &r, const QString &fill)
{
    writer.writeStartElement(QStringLiteral("rect"));
    writer.writeAttribute(QStringLiteral("id"), id);
    writer.writeAttribute(QStringLiteral("x"), number(r.x()));
    writer.writeAttribute(QStringLiteral("y"), number(r.y()));
    writer.writeAttribute(QStringLiteral("width"), number(r.width()));
    writer.writeAttribute(QStringLiteral("height"), number(r.height()));
    writer.writeAttribute(QStringLiteral("fill"), fill);
    writer.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#404040"));
    writer.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("0.75"));
    writer.writeEndElement();
}

} // namespace

QByteArray addMapInset(const QByteArray &svg, const MapInset &inset)
{
    QHash<QString, QXmlStreamAttributes> originals;
    QHash<QString, QString> elementNames;
    {
        QXmlStreamReader reader(svg);
        reader.setNamespaceProcessing(false);
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString id = reader.attributes().value(QLatin1String("id")).toString();
            if (!id.isEmpty()) {
                originals.insert(id, reader.attributes());
                elementNames.insert(id, reader.qualifiedName().toString());
            }
        }
        if (reader.hasError())
            return {};
    }

    QXmlStreamReader reader(svg);
    reader.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.hasError())
            return {};
        if (reader.isStartDocument())
            continue;
        if (reader.isStartElement()) {
            ++depth;
            writer.writeStartElement(reader.qualifiedName().toString());
            for (const QXmlStreamAttribute &a : reader.attributes())
                writeAttribute(writer, a);
            continue;
        }
        if (reader.isEndElement() && --depth == 0) {
            // Last in the document, so drawn over the rest of the map.
            writeRect(writer, kInsetSourceId, inset.source, QStringLiteral("none"));
            writeRect(writer, kInsetFrameId, inset.frame, QStringLiteral("#ffffff"));
            const double s = inset.scale();
            const QPointF shift = inset.toInset(QPointF(0, 0));
            writer.writeStartElement(QStringLiteral("g"));
            writer.writeAttribute(QStringLiteral("transform"),
                                  QStringLiteral("matrix(%1 0 0 %1 %2 %3)")
                                      .arg(number(s), number(shift.x()), number(shift.y())));
            for (const auto &[id, copyId] : inset.copies) {
                const auto it = originals.constFind(id);
                if (it == originals.constEnd())
                    continue;
                writer.writeStartElement(elementNames.value(id));
                for (const QXmlStreamAttribute &a : it.value()) {
                    if (a.qualifiedName() != QLatin1String("id"))
                        writeAttribute(writer, a);
                }
                writer.writeAttribute(QStringLiteral("id"), copyId);
                writer.writeEndElement();
            }
            writer.writeEndElement();
        }
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
