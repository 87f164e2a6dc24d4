#include "GRegularExpression.h"

namespace {

// Makes CR, LF and CRLF all line ends, so that in "\ntext\r" ^ anchors after the LF and $ before the CR.
constexpr QLatin1String newlineConvention("(*ANYCRLF)");

} // namespace

TGRegularExpression::TGRegularExpression() = default;

TGRegularExpression::~TGRegularExpression() = default;

void TGRegularExpression::SetExpression(const QString &Pattern)
{
    m_expression = Pattern;
    if (Pattern.isEmpty()) {
        m_regex = QRegularExpression();
        return;
    }
    m_regex = QRegularExpression(newlineConvention + Pattern, QRegularExpression::MultilineOption);
    if (m_regex.isValid())
        m_regex.optimize();
}

QString TGRegularExpression::ErrorString() const
{
    if (m_regex.isValid())
        return QString();
    return QStringLiteral("%1 at offset %2").arg(m_regex.errorString()).arg(ErrorOffset());
}

int TGRegularExpression::ErrorOffset() const
{
    if (m_regex.isValid())
        return -1;
    return int(qMax<qsizetype>(0, m_regex.patternErrorOffset() - newlineConvention.size()));
}

int TGRegularExpression::Match(const QString &Text)
{
    // In multi-line mode the frame's leading LF ends an empty first line, where a mask that accepts the
    // empty text (^[0-9]*$) would match whatever follows; so the search starts after that LF.
    int length = 0;
    return MatchFrom(Text, Text.startsWith(QLatin1Char('\n')) ? 2 : 1, length);
}

int TGRegularExpression::MatchFrom(const QString &Subject, int Start, int &Length)
{
    Length = 0;
    if (m_expression.isEmpty() || !m_regex.isValid())
        return 0;
    const qsizetype offset = qMax(Start, 1) - 1;
    if (offset > Subject.size())
        return 0;
    const QRegularExpressionMatch match = m_regex.match(Subject, offset);
    if (!match.hasMatch())
        return 0;
    Length = int(match.capturedLength());
    return int(match.capturedStart()) + 1;
}
