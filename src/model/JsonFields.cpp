#include "JsonFields.h"

#include "MyFile.h"
#include "base/Translation.h"

#include <cmath>

namespace {

// Doubles hold every whole number up to 2^53 exactly; JSON numbers beyond are refused
// by range before anything is converted.
constexpr double kExactLimit = 9007199254740992.0;

QString Shown(double v)
{
    if (std::floor(v) == v && std::fabs(v) <= kExactLimit)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 17);
}

QString Bracketed(int index)
{
    return u'[' + QString::number(index) + u']';
}

} // namespace

JsonFields::JsonFields(const QJsonObject& object, const QString& place, QString& problem)
    : object(object), place(place), problem(problem)
{
}

JsonFields JsonFields::Entry(const QString& key, const QJsonArray& list, int index) const
{
    return JsonFields(list.at(index).toObject(), PlaceOf(key, index), problem);
}

QString JsonFields::PlaceOf(const QString& key) const
{
    if (key.isEmpty())
        return place;
    return place.isEmpty() ? key : place + u'.' + key;
}

QString JsonFields::PlaceOf(const QString& key, int index) const
{
    return PlaceOf(key) + Bracketed(index);
}

bool JsonFields::RefuseAtPlace(const QString& at, const QString& message)
{
    if (problem.isEmpty())
        problem = at.isEmpty() ? message : at + QStringLiteral(": ") + message;
    return false;
}

bool JsonFields::Refuse(const QString& key, const QString& message)
{
    return RefuseAtPlace(PlaceOf(key), message);
}

bool JsonFields::RefuseAt(const QString& key, int index, const QString& message)
{
    return RefuseAtPlace(PlaceOf(key, index), message);
}

bool JsonFields::Has(const QString& key)
{
    read.insert(key);
    return object.contains(key);
}

bool JsonFields::Missing(const QString& key, bool required)
{
    if (required)
        Refuse(key, Translate(QStringLiteral("2402")));
    return false;
}

bool JsonFields::Number(const QString& key, qint64 low, qint64 high, qint64& value, bool required)
{
    if (Failed())
        return false;
    if (!Has(key))
        return Missing(key, required);
    const QJsonValue v = object.value(key);
    if (!v.isDouble())
        return Refuse(key, Translate(QStringLiteral("2403")));
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::floor(d) != d)
        return Refuse(key, Translate(QStringLiteral("2403")));
    if (d < static_cast<double>(low) || d > static_cast<double>(high))
        return Refuse(key, TranslateFormat(QStringLiteral("2400"),
                                           {Shown(d), QString::number(low), QString::number(high)}));
    value = static_cast<qint64>(d);
    return true;
}

bool JsonFields::Text(const QString& key, QString& value, bool required)
{
    if (Failed())
        return false;
    if (!Has(key))
        return Missing(key, required);
    return TextValue(object.value(key), PlaceOf(key), value);
}

bool JsonFields::TextValue(const QJsonValue& v, const QString& at, QString& value)
{
    if (!v.isString())
        return RefuseAtPlace(at, Translate(QStringLiteral("2404")));
    const QString text = v.toString();
    if (text.size() > MyFile::kMaxStringUnits)
        return RefuseAtPlace(at, TranslateFormat(QStringLiteral("2408"), {QString::number(text.size()),
                                                                          QString::number(MyFile::kMaxStringUnits)}));
    value = text;
    return true;
}

bool JsonFields::List(const QString& key, qsizetype maxCount, QJsonArray& list, bool required)
{
    if (Failed())
        return false;
    if (!Has(key))
        return Missing(key, required);
    const QJsonValue v = object.value(key);
    if (!v.isArray())
        return Refuse(key, Translate(QStringLiteral("2405")));
    list = v.toArray();
    if (list.size() > maxCount)
        return Refuse(key, TranslateFormat(QStringLiteral("2418"), {QString::number(list.size()),
                                                                    QString::number(maxCount)}));
    return true;
}

bool JsonFields::TextAt(const QString& key, const QJsonArray& list, int index, QString& value)
{
    return !Failed() && TextValue(list.at(index), PlaceOf(key, index), value);
}

bool JsonFields::IsObjectAt(const QString& key, const QJsonArray& list, int index)
{
    if (Failed())
        return false;
    if (!list.at(index).isObject())
        return RefuseAt(key, index, Translate(QStringLiteral("2406")));
    return true;
}

bool JsonFields::TextsAt(const QString& key, const QJsonArray& list, int index,
                         std::initializer_list<std::pair<const char*, QString*>> texts)
{
    if (!IsObjectAt(key, list, index))
        return false;
    JsonFields entry = Entry(key, list, index);
    for (const auto& [name, text] : texts)
        entry.Text(QLatin1String(name), *text);
    return entry.Finish();
}

bool JsonFields::Finish()
{
    if (Failed())
        return false;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        if (!read.contains(it.key()))
            return Refuse(it.key(), Translate(QStringLiteral("2401")));
    return true;
}
