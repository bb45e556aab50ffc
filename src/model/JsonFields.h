#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <initializer_list>
#include <utility>

// One object of a project's JSON description (the form `mvltool info` prints), read
// with the checks an import needs: every value of the right kind and within its range,
// and no key left unread. The first refusal is kept with its place in the description,
// as "pages[2].controls[5].sendCode: 4001 is outside 0 to 4000"; later reads do nothing,
// so a reader may go on and test Failed() once at the end.
class JsonFields {
public:
    // problem is shared by the objects of one description (nested ones included).
    JsonFields(const QJsonObject& object, const QString& place, QString& problem);
    // The object of entry index of a list read under key, with its own place.
    JsonFields Entry(const QString& key, const QJsonArray& list, int index) const;

    bool Failed() const { return !problem.isEmpty(); }
    const QString& Place() const { return place; }
    // "pages[2].name", "pages[2].controls[5]".
    QString PlaceOf(const QString& key) const;
    QString PlaceOf(const QString& key, int index) const;

    // Whether the key is there; it counts as read.
    bool Has(const QString& key);
    // A whole number within low..high. An absent key is refused when required; otherwise
    // the result is false and value stays as it was, as after a refusal.
    bool Number(const QString& key, qint64 low, qint64 high, qint64& value, bool required = false);
    // A text a project file can hold.
    bool Text(const QString& key, QString& value, bool required = false);
    // A list of at most maxCount entries.
    bool List(const QString& key, qsizetype maxCount, QJsonArray& list, bool required = false);
    // Entry index of a list read under key as a text, or as an object.
    bool TextAt(const QString& key, const QJsonArray& list, int index, QString& value);
    bool IsObjectAt(const QString& key, const QJsonArray& list, int index);
    // Entry index as an object of texts and nothing else: each present key read into its
    // text, the others left as they were.
    bool TextsAt(const QString& key, const QJsonArray& list, int index,
                 std::initializer_list<std::pair<const char*, QString*>> texts);

    // Refuses the description at a key (an empty key: at this object) with a message.
    bool Refuse(const QString& key, const QString& message);
    bool RefuseAt(const QString& key, int index, const QString& message);
    // Refuses the first key that was not read; true when every key was.
    bool Finish();

private:
    bool Missing(const QString& key, bool required);
    bool RefuseAtPlace(const QString& at, const QString& message);
    bool TextValue(const QJsonValue& v, const QString& at, QString& value);

    QJsonObject object;
    QString place;
    QString& problem;
    QSet<QString> read;
};
