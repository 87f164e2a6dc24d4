#include "StringList.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace QXPlatform {

namespace {

const QString &sortedListErrorText()
{
    static const QString text = QStringLiteral("Operation not allowed on sorted list");
    return text;
}

const QString &duplicateStringText()
{
    static const QString text = QStringLiteral("String list does not allow duplicates");
    return text;
}

QCollator makeCollator(Qt::CaseSensitivity sensitivity)
{
    QCollator collator;
    collator.setCaseSensitivity(sensitivity);
    // QCollator sets up its backend lazily, on the first comparison. Doing that here, inside the
    // thread-safe initialisation of the static that keeps it, leaves later comparisons read-only.
    collator.compare(u"a", u"b");
    return collator;
}

bool isSpaceOrControl(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

int AnsiCompareText(QStringView S1, QStringView S2)
{
    static const QCollator collator = makeCollator(Qt::CaseInsensitive);
    return collator.compare(S1, S2);
}

int AnsiCompareStr(QStringView S1, QStringView S2)
{
    static const QCollator collator = makeCollator(Qt::CaseSensitive);
    const int result = collator.compare(S1, S2);
    // The collator ranks some distinct strings equal (ignorable characters, canonically equivalent
    // forms). Breaking those ties by code units keeps the order total, so a case-sensitive list treats
    // only identical strings as duplicates.
    return result != 0 ? result : S1.compare(S2);
}

void StringListIndexError(qsizetype Index)
{
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

// ---------------------------------------------------------------------------------------------------
// TStrings

TStrings::TStrings() = default;

TStrings::~TStrings() = default;

void TStrings::SetStrings(const QStringList &Lines)
{
    InUpdate(*this, [&] {
        Clear();
        for (const QString &line : Lines)
            Add(line);
    });
}

QStringList TStrings::ToStringList() const
{
    const int count = GetCount();
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(Get(i));
    return lines;
}

int TStrings::Add(const QString &S)
{
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const QString &S, QObject *AObject)
{
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::AddStrings(const TStrings *Strings)
{
    if (!Strings)
        return;
    InUpdate(*this, [&] {
        const int count = Strings->GetCount();
        for (int i = 0; i < count; ++i)
            AddObject(Strings->Get(i), Strings->GetObject(i));
    });
}

void TStrings::AddStrings(const QStringList &Lines)
{
    InUpdate(*this, [&] {
        for (const QString &line : Lines)
            Add(line);
    });
}

void TStrings::InsertObject(int Index, const QString &S, QObject *AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2)
{
    InUpdate(*this, [&] {
        const QString string1 = Get(Index1);
        QObject *object1 = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, string1);
        PutObject(Index2, object1);
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    // Both indices are checked before the line is taken out, so a bad NewIndex loses nothing.
    const int count = GetCount();
    if (NewIndex < 0 || NewIndex >= count)
        StringListIndexError(NewIndex);
    const QString string = Get(CurIndex);
    QObject *object = GetObject(CurIndex);
    InUpdate(*this, [&] {
        Delete(CurIndex);
        InsertObject(NewIndex, string, object);
    });
}

int TStrings::IndexOf(const QString &S) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const QString &Name) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        const QString line = Get(i);
        const qsizetype separator = line.indexOf(m_nameValueSeparator);
        if (separator >= 0 && CompareStrings(QStringView(line).left(separator), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const QObject *AObject) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

int TStrings::CompareStrings(QStringView S1, QStringView S2) const
{
    return AnsiCompareText(S1, S2);
}

bool TStrings::Equals(TStrings *Strings) const
{
    if (!Strings)
        return false;
    const int count = GetCount();
    if (count != Strings->GetCount())
        return false;
    for (int i = 0; i < count; ++i)
        if (Get(i) != Strings->Get(i))
            return false;
    return true;
}

QString TStrings::Text() const
{
    const int count = GetCount();
    qsizetype size = 0;
    for (int i = 0; i < count; ++i)
        size += Get(i).size() + sLineBreak.size();
    QString text;
    text.reserve(size);
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += sLineBreak;
    }
    return text;
}

void TStrings::SetText(const QString &Value)
{
    InUpdate(*this, [&] {
        Clear();
        const qsizetype length = Value.size();
        const QChar *data = Value.constData();
        qsizetype start = 0;
        while (start < length) {
            qsizetype end = start;
            while (end < length && data[end] != u'\r' && data[end] != u'\n')
                ++end;
            Add(Value.mid(start, end - start));
            if (end < length && data[end] == u'\r' && end + 1 < length && data[end + 1] == u'\n')
                ++end;
            start = end + 1;
        }
    });
}

QString TStrings::delimitedText(bool commaText) const
{
    const QChar delimiter = commaText ? QChar(u',') : m_delimiter;
    const QChar quote = commaText ? QChar(u'"') : m_quoteChar;
    const int count = GetCount();
    if (count == 1 && Get(0).isEmpty())
        return QString(2, quote);
    QString text;
    for (int i = 0; i < count; ++i) {
        const QString line = Get(i);
        if (i > 0)
            text += delimiter;
        bool quoted = false;
        for (QChar c : line) {
            if (c == delimiter || c == quote || (!m_strictDelimiter && isSpaceOrControl(c))) {
                quoted = true;
                break;
            }
        }
        if (!quoted) {
            text += line;
            continue;
        }
        text += quote;
        for (QChar c : line) {
            if (c == quote)
                text += quote;
            text += c;
        }
        text += quote;
    }
    return text;
}

// Items are separated by the delimiter and, unless strict, by runs of spaces and control characters
// around it. A quoted item runs to its closing quote, a doubled quote standing for one quote; text
// right after the closing quote belongs to the same item. A delimiter at the very end leaves one more,
// empty item, so that every list survives DelimitedText and back.
void TStrings::setDelimitedText(const QString &value, bool commaText)
{
    const QChar delimiter = commaText ? QChar(u',') : m_delimiter;
    const QChar quote = commaText ? QChar(u'"') : m_quoteChar;
    InUpdate(*this, [&] {
        Clear();
        const bool strict = m_strictDelimiter;
        const qsizetype length = value.size();
        const QChar *data = value.constData();
        auto isSeparator = [&](QChar c) { return c == delimiter || (!strict && isSpaceOrControl(c)); };
        auto skipSpaces = [&](qsizetype &p) {
            if (!strict)
                while (p < length && isSpaceOrControl(data[p]) && data[p] != delimiter)
                    ++p;
        };
        qsizetype p = 0;
        skipSpaces(p);
        while (p < length) {
            QString item;
            if (data[p] == quote) {
                ++p;
                while (p < length) {
                    if (data[p] == quote) {
                        if (p + 1 < length && data[p + 1] == quote) {
                            item += quote;
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    item += data[p++];
                }
            }
            const qsizetype rest = p;
            while (p < length && !isSeparator(data[p]))
                ++p;
            item += QStringView(data + rest, p - rest);
            Add(item);
            skipSpaces(p);
            if (p < length && data[p] == delimiter) {
                ++p;
                skipSpaces(p);
                if (p == length)
                    Add(QString());
            }
        }
    });
}

QString TStrings::DelimitedText() const
{
    return delimitedText(false);
}

void TStrings::SetDelimitedText(const QString &Value)
{
    setDelimitedText(Value, false);
}

QString TStrings::CommaText() const
{
    return delimitedText(true);
}

void TStrings::SetCommaText(const QString &Value)
{
    setDelimitedText(Value, true);
}

QString TStrings::Names(int Index) const
{
    const QString line = Get(Index);
    const qsizetype separator = line.indexOf(m_nameValueSeparator);
    return separator < 0 ? QString() : line.left(separator);
}

QString TStrings::Values(const QString &Name) const
{
    const int index = IndexOfName(Name);
    return index < 0 ? QString() : ValueFromIndex(index);
}

void TStrings::SetValues(const QString &Name, const QString &Value)
{
    const int index = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    if (index < 0) {
        Add(Name + m_nameValueSeparator + Value);
        return;
    }
    // The line keeps its name as written; only the value changes.
    const QString line = Get(index);
    Put(index, line.left(line.indexOf(m_nameValueSeparator) + 1) + Value);
}

QString TStrings::ValueFromIndex(int Index) const
{
    const QString line = Get(Index);
    const qsizetype separator = line.indexOf(m_nameValueSeparator);
    return separator < 0 ? QString() : line.mid(separator + 1);
}

void TStrings::SetValueFromIndex(int Index, const QString &Value)
{
    if (Value.isEmpty())
        Delete(Index);
    else
        Put(Index, Names(Index) + m_nameValueSeparator + Value);
}

void TStrings::BeginUpdate()
{
    // SetUpdateState sees the count still at 0, so a descendant's Changing still fires; if it raises,
    // no batch has started and no EndUpdate is owed.
    if (m_updateCount == 0)
        SetUpdateState(true);
    ++m_updateCount;
}

void TStrings::EndUpdate()
{
    // An unbalanced EndUpdate is ignored rather than driving the count negative, which would silence
    // every later notification.
    if (m_updateCount == 0)
        return;
    if (--m_updateCount == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromFile(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\": %2")
                              .arg(QDir::toNativeSeparators(FileName), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFOpenError(QStringLiteral("Cannot read file \"%1\": %2")
                              .arg(QDir::toNativeSeparators(FileName), file.errorString()));
    // The decoder drops a byte order mark at the start.
    QStringDecoder decoder(QStringDecoder::Utf8);
    SetText(decoder(bytes));
}

void TStrings::SaveToFile(const QString &FileName) const
{
    // QSaveFile replaces the file only once everything is written, so a failed save keeps the old one.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\": %2")
                              .arg(QDir::toNativeSeparators(FileName), file.errorString()));
    file.write(Text().toUtf8());
    if (!file.commit())
        throw EFOpenError(QStringLiteral("Cannot write file \"%1\": %2")
                              .arg(QDir::toNativeSeparators(FileName), file.errorString()));
}

void TStrings::Assign(const QObject *Source)
{
    auto *source = qobject_cast<const TStrings *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    InUpdate(*this, [&] {
        Clear();
        m_nameValueSeparator = source->m_nameValueSeparator;
        m_delimiter = source->m_delimiter;
        m_quoteChar = source->m_quoteChar;
        m_strictDelimiter = source->m_strictDelimiter;
        AddStrings(source);
    });
}

void TStrings::Put(int Index, const QString &S)
{
    QObject *object = GetObject(Index);
    InUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, object);
    });
}

QObject *TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::PutObject(int, QObject *)
{ }

void TStrings::Changing()
{ }

void TStrings::Changed()
{ }

void TStrings::SetUpdateState(bool)
{ }

// ---------------------------------------------------------------------------------------------------
// TStringList

TStringList::TStringList() = default;

// Destruction tells no one: the handlers may belong to objects that are already gone.
TStringList::~TStringList() = default;

void TStringList::checkIndex(int Index) const
{
    if (Index < 0 || Index >= m_items.size())
        StringListIndexError(Index);
}

void TStringList::checkUnsorted() const
{
    if (m_sorted)
        throw EStringListError(sortedListErrorText());
}

QString TStringList::Get(int Index) const
{
    checkIndex(Index);
    return m_items.at(Index).String;
}

QObject *TStringList::GetObject(int Index) const
{
    checkIndex(Index);
    return m_items.at(Index).Object;
}

void TStringList::insertItem(int Index, const QString &S, QObject *AObject)
{
    Changing();
    // An OnChanging handler may have edited the list; indices are checked again after it.
    if (Index > m_items.size())
        StringListIndexError(Index);
    m_items.insert(Index, Item { S, AObject });
    Changed();
}

int TStringList::Add(const QString &S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString &S, QObject *AObject)
{
    int index = GetCount();
    if (m_sorted && Find(S, index)) {
        if (m_duplicates == dupIgnore)
            return index;
        if (m_duplicates == dupError)
            throw EStringListError(duplicateStringText());
    }
    insertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const QString &S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const QString &S, QObject *AObject)
{
    checkUnsorted();
    if (Index < 0 || Index > m_items.size())
        StringListIndexError(Index);
    insertItem(Index, S, AObject);
}

void TStringList::Put(int Index, const QString &S)
{
    checkUnsorted();
    checkIndex(Index);
    Changing();
    checkIndex(Index);
    m_items[Index].String = S;
    Changed();
}

void TStringList::PutObject(int Index, QObject *AObject)
{
    checkIndex(Index);
    Changing();
    checkIndex(Index);
    m_items[Index].Object = AObject;
    Changed();
}

void TStringList::Delete(int Index)
{
    checkIndex(Index);
    Changing();
    checkIndex(Index);
    m_items.removeAt(Index);
    Changed();
}

void TStringList::Clear()
{
    if (m_items.isEmpty())
        return;
    Changing();
    m_items.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    checkUnsorted();
    checkIndex(Index1);
    checkIndex(Index2);
    Changing();
    checkIndex(Index1);
    checkIndex(Index2);
    m_items.swapItemsAt(Index1, Index2);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    checkUnsorted();
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    Changing();
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    m_items.move(CurIndex, NewIndex);
    Changed();
}

int TStringList::IndexOf(const QString &S) const
{
    if (!m_sorted)
        return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

int TStringList::CompareStrings(QStringView S1, QStringView S2) const
{
    return m_caseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const QString &S, int &Index) const
{
    // Lower bound: the first line not ordered before S, which is the first of any equal lines.
    qsizetype low = 0;
    qsizetype high = m_items.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (CompareStrings(m_items.at(middle).String, S) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    Index = int(low);
    return low < m_items.size() && CompareStrings(m_items.at(low).String, S) == 0;
}

// A bottom-up merge sort of line indices. The list is only read, so the comparison always sees it as it
// was; the loops stay in bounds whatever the comparison answers, even inconsistently; equal lines keep
// their order; and a comparison that raises leaves the list untouched.
template<class Less> QList<int> TStringList::sortedOrder(Less less) const
{
    const qsizetype count = m_items.size();
    QList<int> order(count);
    QList<int> merged(count);
    for (qsizetype i = 0; i < count; ++i)
        order[i] = int(i);
    for (qsizetype width = 1; width < count; width *= 2) {
        for (qsizetype low = 0; low < count; low += 2 * width) {
            const qsizetype middle = std::min(low + width, count);
            const qsizetype high = std::min(low + 2 * width, count);
            qsizetype left = low;
            qsizetype right = middle;
            qsizetype out = low;
            while (left < middle && right < high)
                merged[out++] = less(order.at(right), order.at(left)) ? order.at(right++) : order.at(left++);
            while (left < middle)
                merged[out++] = order.at(left++);
            while (right < high)
                merged[out++] = order.at(right++);
        }
        order.swap(merged);
    }
    if (m_items.size() != count)
        throw EInvalidOperation(QStringLiteral("String list changed while it was being sorted"));
    return order;
}

QList<int> TStringList::orderByCompareStrings() const
{
    return sortedOrder(
        [this](int a, int b) { return CompareStrings(m_items.at(a).String, m_items.at(b).String) < 0; });
}

void TStringList::applyOrder(const QList<int> &order)
{
    if (order.size() != m_items.size())
        throw EInvalidOperation(QStringLiteral("String list changed while it was being sorted"));
    QList<Item> sorted;
    sorted.reserve(order.size());
    for (int index : order)
        sorted.append(std::move(m_items[index]));
    m_items = std::move(sorted);
}

void TStringList::Sort()
{
    if (m_sorted || m_items.size() < 2)
        return;
    const QList<int> order = orderByCompareStrings();
    Changing();
    applyOrder(order);
    Changed();
}

void TStringList::CustomSort(const TStringListSortCompare &Compare)
{
    checkUnsorted();
    if (!Compare || m_items.size() < 2)
        return;
    const QList<int> order = sortedOrder([&](int a, int b) { return Compare(this, a, b) < 0; });
    Changing();
    applyOrder(order);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (m_sorted == Value)
        return;
    if (Value)
        Sort();
    m_sorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (m_caseSensitive == Value)
        return;
    if (!m_sorted || m_items.size() < 2) {
        m_caseSensitive = Value;
        return;
    }
    // The flag goes back if the new order cannot be computed or the change is refused, so that the
    // order of a sorted list always matches CaseSensitive.
    QScopedValueRollback<bool> caseSensitive(m_caseSensitive, Value);
    const QList<int> order = orderByCompareStrings();
    Changing();
    applyOrder(order);
    caseSensitive.commit();
    Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() > 0)
        return;
    Q_EMIT changing();
    if (m_onChanging)
        m_onChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() > 0)
        return;
    Q_EMIT changed();
    if (m_onChange)
        m_onChange(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

} // namespace QXPlatform
