#include "logstore/date_time_rules.h"

#include <initializer_list>

namespace vqx {

namespace {

bool isDigit(const QString &t, int pos)
{
    return pos < t.size() && t.at(pos) >= QLatin1Char('0') && t.at(pos) <= QLatin1Char('9');
}

int groupValue(const QString &t, int pos)
{
    int v = 0;
    for (int i = pos; i < pos + 2 && isDigit(t, i); ++i)
        v = v * 10 + (t.at(i).unicode() - '0');
    return v;
}

int check(const QString &t, std::initializer_list<int> digits,
          std::initializer_list<int> separators, QChar sep, int maxFirst, int maxSecond)
{
    int result = 0;
    for (int p : digits) {
        if (!isDigit(t, p))
            result = 1;
    }
    for (int p : separators) {
        if (p >= t.size() || t.at(p) != sep)
            result = 1;
    }
    if (groupValue(t, 0) > maxFirst)
        result = 1;
    if (groupValue(t, 3) > maxSecond)
        result = 1;
    return result;
}

} // namespace

int Verifier_Date(const QString &text)
{
    return check(text, {0, 1, 3, 4, 6, 7}, {2, 5}, QLatin1Char('/'), 31, 12);
}

int Verifier_Heure(const QString &text)
{
    return check(text, {0, 1, 3, 4}, {2}, QLatin1Char(':'), 23, 59);
}

QString dateMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez une date");
    if (text.size() != 8)
        return QStringLiteral("8 caracteres pour la date ex: 01/02/08");
    if (Verifier_Date(text) == 1)
        return QStringLiteral("Le format de la date doit etre JJ/MM/AA");
    return {};
}

QString heureMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez une Heure");
    if (text.size() != 5)
        return QStringLiteral("5 caracteres pour l'heure ex: 08:45");
    if (Verifier_Heure(text) == 1)
        return QStringLiteral("Le format de l'heure doit etre HH:MM");
    return {};
}

} // namespace vqx
