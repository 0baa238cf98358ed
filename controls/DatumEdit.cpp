// DatumEdit.cpp: the date edit's own rules and focus handling.
#include "controls/DatumEdit.h"

BOOL CDatumEdit::IsValid() { return AcceptsText(WindowText()); }

void CDatumEdit::Normalize() { RewriteInDisplayForm(); }

// 9 or more characters hold the dashed form, 7 or 8 the eight digits,
// exactly 6 the six digits; a shorter limit holds no date form at all.
CDatumEntry::TextForm CDatumEdit::BoundValueForm() const
{
    if (m_nMaxLen >= 9)
        return TextForm::Dashed;
    if (m_nMaxLen >= 7)
        return TextForm::Compact;
    if (m_nMaxLen == 6)
        return TextForm::Short;
    return TextForm::None;
}

LRESULT CDatumEdit::OnEnSetFocus()
{
    if (!IsBound())
        return 0;
    m_bCheckOnKillFocus = TRUE;
    SetEntryText(WindowText());
    return 0;
}

LRESULT CDatumEdit::OnEnKillFocus()
{
    FocusOut();
    return 0;
}

const MessageMap* CDatumEdit::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnReflectedCommand<&CDatumEdit::OnEnKillFocus>(EN_KILLFOCUS),
        OnReflectedCommand<&CDatumEdit::OnEnSetFocus>(EN_SETFOCUS),
    };
    static const MessageMap kMap{CDatumEntry::GetMessageMap(), kEntries};
    return &kMap;
}
