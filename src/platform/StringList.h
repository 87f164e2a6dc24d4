/// \file
/// String lists: TStrings, the abstract list of lines with an object per line that property editors,
/// persisted settings and the inspector's value lists are written against, and TStringList, the concrete
/// list that can keep itself sorted and reports its changes.
///
/// TStrings is built on a handful of virtual primitives (Get, GetCount, Insert, Delete, Clear and the
/// optional Put, GetObject, PutObject). Everything else (Add, Text, CommaText, name=value access, Assign,
/// files) is written in terms of them, so a descendant that stores its lines elsewhere implements the
/// primitives and gets the rest for free.
#pragma once

#include "Events.h"
#include "Exceptions.h"
#include "Persistent.h"
#include "ThreadList.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace QXPlatform {

/// The line break that Text() puts after every line.
inline const QString sLineBreak = QStringLiteral("\n");

/// Locale-aware comparison that ignores case (<0, 0, >0), under the default locale in effect at the
/// first comparison. Sorting and searching of case-insensitive lists use exactly this order.
QXINSPECTORCORE_EXPORT int AnsiCompareText(QStringView S1, QStringView S2);
/// Locale-aware comparison that tells case apart; strings compare equal only when they are identical.
QXINSPECTORCORE_EXPORT int AnsiCompareStr(QStringView S1, QStringView S2);

/// EStringListError "List index out of bounds (n)".
[[noreturn]] QXINSPECTORCORE_EXPORT void StringListIndexError(qsizetype Index);

/// An abstract list of lines, each with an optional object: the text, delimited, name=value and file
/// forms of the lines over the storage a descendant supplies.
class QXINSPECTORCORE_EXPORT TStrings : public QObject, public TPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QString CommaText READ CommaText WRITE SetCommaText STORED false)
    Q_PROPERTY(QChar Delimiter READ Delimiter WRITE SetDelimiter)
    Q_PROPERTY(QChar QuoteChar READ QuoteChar WRITE SetQuoteChar)
    Q_PROPERTY(QChar NameValueSeparator READ NameValueSeparator WRITE SetNameValueSeparator)
    Q_PROPERTY(bool StrictDelimiter READ StrictDelimiter WRITE SetStrictDelimiter)
    // Characters are stored as their codes: ',' '"' '='.
    QX_DEFAULT(Text, "")
    QX_DEFAULT(Delimiter, "44")
    QX_DEFAULT(QuoteChar, "34")
    QX_DEFAULT(NameValueSeparator, "61")
    QX_DEFAULT(StrictDelimiter, "False")
public:
    TStrings();
    ~TStrings() override;
    Q_DISABLE_COPY_MOVE(TStrings)

    // Lines and objects
    /// The number of lines.
    int Count() const { return GetCount(); }
    /// The line at Index; EStringListError outside the list.
    QString Strings(int Index) const { return Get(Index); }
    /// The line at Index; EStringListError outside the list.
    QString operator[](int Index) const { return Get(Index); }
    /// Replaces the line at Index, keeping its object.
    void SetStrings(int Index, const QString &S) { Put(Index, S); }
    /// Replaces all lines with Lines, as one change.
    void SetStrings(const QStringList &Lines);
    ///@{
    /// The object of the line at Index (null when there is none).
    QObject *Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, QObject *AObject) { PutObject(Index, AObject); }
    ///@}
    /// The lines as a QStringList.
    QStringList ToStringList() const;

    // Adding, inserting, removing
    /// Appends S (a sorted list places it in order) and returns the index where it went.
    virtual int Add(const QString &S);
    /// Adds S with AObject, as Add does, and returns its index.
    virtual int AddObject(const QString &S, QObject *AObject);
    /// Add without the index, for code written against QStringList.
    void Append(const QString &S) { Add(S); }
    /// Adds every line of Strings with its object, as one change.
    void AddStrings(const TStrings *Strings);
    /// Adds the lines, as one change.
    void AddStrings(const QStringList &Lines);
    /// Inserts S before Index (Index == Count appends).
    virtual void Insert(int Index, const QString &S) = 0;
    /// Inserts S with AObject before Index.
    virtual void InsertObject(int Index, const QString &S, QObject *AObject);
    /// Deletes the line at Index with its object (which is not freed).
    virtual void Delete(int Index) = 0;
    /// Deletes every line.
    virtual void Clear() = 0;
    /// Swaps two lines with their objects.
    virtual void Exchange(int Index1, int Index2);
    /// Moves the line at CurIndex, with its object, so that it ends up at NewIndex.
    virtual void Move(int CurIndex, int NewIndex);

    // Searching
    /// The first line equal to S under CompareStrings, or -1.
    virtual int IndexOf(const QString &S) const;
    /// The first line whose name part equals Name under CompareStrings, or -1.
    virtual int IndexOfName(const QString &Name) const;
    /// The first line whose object is AObject, or -1.
    int IndexOfObject(const QObject *AObject) const;
    /// The order lines are compared and searched in; the default ignores case.
    virtual int CompareStrings(QStringView S1, QStringView S2) const;
    /// Same lines in the same order, compared exactly.
    bool Equals(TStrings *Strings) const;

    // Whole text
    /// Every line followed by sLineBreak.
    QString Text() const;
    /// Splits Value at CR, LF or CRLF and replaces the lines with the pieces, as one change.
    void SetText(const QString &Value);
    /// The lines joined by Delimiter; a line is quoted with QuoteChar when it contains the delimiter or
    /// the quote character, when it is empty and the only line, or (unless StrictDelimiter) when it
    /// contains a space or a control character.
    QString DelimitedText() const;
    /// Replaces the lines with the items of Value; unless StrictDelimiter, spaces also separate items.
    void SetDelimitedText(const QString &Value);
    /// DelimitedText with ',' and '"'.
    QString CommaText() const;
    /// Replaces the lines with the items of Value, as SetDelimitedText with ',' and '"'.
    void SetCommaText(const QString &Value);
    ///@{
    /// The character between items of DelimitedText (',').
    QChar Delimiter() const { return m_delimiter; }
    void SetDelimiter(QChar Value) { m_delimiter = Value; }
    ///@}
    ///@{
    /// The character that quotes an item of DelimitedText ('"').
    QChar QuoteChar() const { return m_quoteChar; }
    void SetQuoteChar(QChar Value) { m_quoteChar = Value; }
    ///@}
    ///@{
    /// Whether only Delimiter separates items; otherwise spaces do too.
    bool StrictDelimiter() const { return m_strictDelimiter; }
    void SetStrictDelimiter(bool Value) { m_strictDelimiter = Value; }
    ///@}

    // name=value lines; a line without the separator has an empty name and an empty value
    ///@{
    /// The character between a line's name and its value ('=').
    QChar NameValueSeparator() const { return m_nameValueSeparator; }
    void SetNameValueSeparator(QChar Value) { m_nameValueSeparator = Value; }
    ///@}
    /// The name part of the line at Index.
    QString Names(int Index) const;
    /// The value of the first line named Name, or empty.
    QString Values(const QString &Name) const;
    /// Sets the value of the line named Name, adding "Name=Value" when there is none; an empty Value
    /// deletes the line.
    void SetValues(const QString &Name, const QString &Value);
    /// The value part of the line at Index.
    QString ValueFromIndex(int Index) const;
    /// Sets the value part of the line at Index; an empty Value deletes the line.
    void SetValueFromIndex(int Index, const QString &Value);

    // Batches of changes
    /// Starts a batch; nested batches count, and only the outermost one reaches SetUpdateState.
    void BeginUpdate();
    /// Ends a batch that BeginUpdate started.
    void EndUpdate();
    /// How many batches are open.
    int UpdateCount() const { return m_updateCount; }

    // Files, in UTF-8
    /// Replaces the lines with the file's text; EFOpenError when it cannot be read.
    void LoadFromFile(const QString &FileName);
    /// Writes Text() to the file; EFOpenError when it cannot be written.
    void SaveToFile(const QString &FileName) const;

    /// From another TStrings: its lines, objects and separators, as one change. Other sources go to
    /// TPersistent::Assign.
    void Assign(const QObject *Source) override;

protected:
    /// The line at Index; raises EStringListError outside the list.
    virtual QString Get(int Index) const = 0;
    /// The number of lines.
    virtual int GetCount() const = 0;
    /// Replaces the line at Index, keeping its object; the default deletes and reinserts.
    virtual void Put(int Index, const QString &S);
    /// The object of the line at Index; the default stores no objects.
    virtual QObject *GetObject(int Index) const;
    /// Sets the object of the line at Index; the default stores no objects and ignores it.
    virtual void PutObject(int Index, QObject *AObject);
    /// Told before a change of the lines.
    virtual void Changing();
    /// Told after a change of the lines.
    virtual void Changed();
    /// Told when the outermost batch starts (true) and ends (false), with UpdateCount() at 0.
    virtual void SetUpdateState(bool Updating);

Q_SIGNALS:
    /// Emitted where a list reports a coming change (OnChanging), just before that event.
    void changing();
    /// Emitted where a list reports a change (OnChange), just before that event. The library binds
    /// itself to these signals and leaves the events to the application, so that a handler the
    /// application assigns never cuts the library off.
    void changed();

private:
    // CommaText is DelimitedText with ',' and '"' in place of Delimiter and QuoteChar.
    QString delimitedText(bool commaText) const;
    void setDelimitedText(const QString &value, bool commaText);

    int m_updateCount = 0;
    QChar m_delimiter = u',';
    QChar m_quoteChar = u'"';
    QChar m_nameValueSeparator = u'=';
    bool m_strictDelimiter = false;
};

class TStringList;
/// Orders two lines of List by index: <0, 0 or >0.
using TStringListSortCompare = std::function<int(TStringList *List, int Index1, int Index2)>;

/// The list of lines that keeps them itself: sorting, duplicates, case and change events.
class QXINSPECTORCORE_EXPORT TStringList : public TStrings
{
    Q_OBJECT
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(bool CaseSensitive READ CaseSensitive WRITE SetCaseSensitive)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnChanging READ OnChanging WRITE SetOnChanging)
    QX_DEFAULT(Sorted, "False")
    QX_DEFAULT(CaseSensitive, "False")
public:
    Q_INVOKABLE TStringList();
    ~TStringList() override;

    int Add(const QString &S) override;
    /// Adds S with AObject (in order while Sorted) and returns its index.
    int AddObject(const QString &S, QObject *AObject) override;
    void Insert(int Index, const QString &S) override;
    /// Inserts S with AObject before Index; refused while Sorted.
    void InsertObject(int Index, const QString &S, QObject *AObject) override;
    /// Deletes the line at Index; the object is not freed.
    void Delete(int Index) override;
    /// Deletes every line.
    void Clear() override;
    /// Swaps two lines; refused while Sorted.
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const QString &S) const override;
    int CompareStrings(QStringView S1, QStringView S2) const override;

    /// Binary search of a sorted list: whether S is there, and in Index the first line equal to S or
    /// the position where S would be inserted. Only meaningful while Sorted.
    virtual bool Find(const QString &S, int &Index) const;
    /// Sorts by CompareStrings; a sorted list is already in order.
    virtual void Sort();
    /// Sorts by Compare, stably. Compare may read the list but not change it; if it raises, the list
    /// stays as it was. Not allowed on a sorted list, whose order is fixed.
    virtual void CustomSort(const TStringListSortCompare &Compare);

    /// Whether the list keeps its lines in order.
    bool Sorted() const { return m_sorted; }
    /// Switching on sorts the list; from then on Add places lines in order and positional edits are
    /// refused.
    void SetSorted(bool Value);
    ///@{
    /// What Add does with a line already in a sorted list. Lines already there are left alone.
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates Value) { m_duplicates = Value; }
    ///@}
    /// Whether lines are compared with case told apart.
    bool CaseSensitive() const { return m_caseSensitive; }
    /// Changes the comparison; a sorted list is sorted again under the new one.
    void SetCaseSensitive(bool Value);

    ///@{
    /// Fired after each change outside a batch, and once when the outermost batch ends, right after
    /// changed(). The application's: the library listens to changed().
    TNotifyEvent OnChange() const { return m_onChange; }
    void SetOnChange(const TNotifyEvent &Value) { m_onChange = Value; }
    ///@}
    ///@{
    /// Fired before each change outside a batch, and once when the outermost batch starts, right after
    /// changing(). The application's: the library listens to changing().
    TNotifyEvent OnChanging() const { return m_onChanging; }
    void SetOnChanging(const TNotifyEvent &Value) { m_onChanging = Value; }
    ///@}

protected:
    QString Get(int Index) const override;
    int GetCount() const override { return int(m_items.size()); }
    void Put(int Index, const QString &S) override;
    QObject *GetObject(int Index) const override;
    void PutObject(int Index, QObject *AObject) override;
    void Changing() override;
    void Changed() override;
    void SetUpdateState(bool Updating) override;

private:
    struct Item
    {
        QString String;
        // The list does not own its objects; one that is destroyed reads back as null.
        QPointer<QObject> Object;
    };

    void checkIndex(int Index) const;
    void checkUnsorted() const;
    void insertItem(int Index, const QString &S, QObject *AObject);
    /// The indices of the lines in the order less gives; the list is not changed.
    template<class Less> QList<int> sortedOrder(Less less) const;
    QList<int> orderByCompareStrings() const;
    /// Rearranges the lines so that line i is the one that was at order[i].
    void applyOrder(const QList<int> &order);

    QList<Item> m_items;
    TNotifyEvent m_onChange;
    TNotifyEvent m_onChanging;
    TDuplicates m_duplicates = dupIgnore;
    bool m_sorted = false;
    bool m_caseSensitive = false;
};

} // namespace QXPlatform
