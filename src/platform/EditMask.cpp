#include "EditMask_p.h"

#include <utility>

namespace QXPlatform {

namespace {

// The three fields of a stored mask. A ';' escaped by a backslash belongs to the mask characters.
struct MaskFields
{
    QString Chars;
    bool SavesLiterals = true;
    QChar Blank = u'_';
};

MaskFields splitMask(const QString &Mask)
{
    MaskFields fields;
    qsizetype end = 0;
    while (end < Mask.size() && Mask.at(end) != u';')
        end += Mask.at(end) == u'\\' ? 2 : 1;
    end = qMin(end, Mask.size());
    fields.Chars = Mask.left(end);
    if (end >= Mask.size())
        return fields;
    const QString rest = Mask.mid(end + 1);
    const qsizetype separator = rest.indexOf(u';');
    const QString saveField = separator < 0 ? rest : rest.left(separator);
    fields.SavesLiterals = saveField != QLatin1String("0");
    if (separator >= 0 && separator + 1 < rest.size())
        fields.Blank = rest.at(separator + 1);
    return fields;
}

// The mask characters that have one counterpart in an input mask; null for any other character.
QChar maskCharacter(QChar c)
{
    static constexpr std::pair<char16_t, char16_t> table[] = {
        { u'0', u'9' }, { u'9', u'0' }, { u'#', u'#' }, { u'L', u'A' }, { u'l', u'a' },
        { u'A', u'N' }, { u'a', u'n' }, { u'C', u'X' }, { u'c', u'x' }, { u'>', u'>' },
    };
    for (const auto &[from, to] : table)
        if (c.unicode() == from)
            return QChar(to);
    return {};
}

// Characters that QLineEdit reads as mask characters or reserves; as literals they need a backslash.
bool isInputMaskSpecial(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
    return special.contains(c);
}

} // namespace

QString EditMaskToInputMask(const QString &Mask)
{
    const MaskFields fields = splitMask(Mask);
    QString result;
    const QString &chars = fields.Chars;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const QChar c = chars.at(i);
        if (const QChar mapped = maskCharacter(c); !mapped.isNull()) {
            result += mapped;
            continue;
        }
        switch (c.unicode()) {
        case u'<':
            if (i + 1 < chars.size() && chars.at(i + 1) == u'>') {
                result += u'!';
                ++i;
            } else {
                result += u'<';
            }
            break;
        case u'!':
            // Trimming leading blanks is a matter of how the text is read back, not of what may be typed.
            break;
        case u'_':
            result += u' ';
            break;
        case u'\\':
            if (i + 1 < chars.size()) {
                result += u'\\';
                result += chars.at(++i);
            }
            break;
        default:
            if (isInputMaskSpecial(c))
                result += u'\\';
            result += c;
            break;
        }
    }
    if (result.isEmpty())
        return result;
    // A "0" in the second field asks for the text without its literals. QLineEdit::text() always keeps
    // them, so the input mask says nothing about it; MaskSavesLiterals tells a reader who needs to know.
    return result + u';' + fields.Blank;
}

bool MaskSavesLiterals(const QString &Mask)
{
    return splitMask(Mask).SavesLiterals;
}

} // namespace QXPlatform
