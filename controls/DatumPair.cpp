// DatumPair.cpp: two date fields linked as the start and the end of a pair:
// the link, the pair's rule handed to the judge, the end that a kept span
// takes along, and the tips of the two sides kept in step.
#include "controls/DatumEntry.h"

namespace {

CDatumEntry* DateControl(HWND window) { return dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(window)); }

} // namespace

bool CDatumEntry::LinkEnd(CDatumEntry& end, int shortest, int longest, UINT flags)
{
    return Link(*this, end, shortest, longest, flags);
}

bool CDatumEntry::LinkStart(CDatumEntry& start, int shortest, int longest, UINT flags)
{
    return Link(start, *this, shortest, longest, flags);
}

bool CDatumEntry::Link(const DatumLinkRequest& request)
{
    CDatumEntry* start = DateControl(request.start);
    CDatumEntry* end = DateControl(request.end);
    return start != nullptr && end != nullptr && Link(*start, *end, request.shortest, request.longest, request.flags);
}

// The start's date at the link is the one a kept span first counts from.
bool CDatumEntry::Link(CDatumEntry& start, CDatumEntry& end, int shortest, int longest, UINT flags)
{
    if (&start == &end || start.m_hWnd == nullptr || end.m_hWnd == nullptr ||
        !PairRule::SpansAllowed(shortest, longest))
        return false;
    start.Unlink();
    end.Unlink();
    const bool keepSpan = (flags & DLF_KEEPSPAN) != 0;
    start.m_link = {start.m_hWnd, end.m_hWnd, PairSide::Start, shortest, longest, keepSpan, start.OwnDate()};
    end.m_link = {end.m_hWnd, start.m_hWnd, PairSide::End, shortest, longest, keepSpan, {}};
    return true;
}

// Also when the window has gone: the other side forgets the pair.
bool CDatumEntry::Unlink()
{
    const bool linked = m_link.other != nullptr;
    if (CDatumEntry* other = Partner())
        other->m_link = {};
    m_link = {};
    return linked;
}

CDatumEntry* CDatumEntry::Partner() const
{
    if (m_link.other == nullptr)
        return nullptr;
    CDatumEntry* other = DateControl(m_link.other);
    return other != nullptr && other->m_link.other == m_link.self ? other : nullptr;
}

// The other side's date is read by its own rules, so that judging one side
// never judges the other's pair.
EntryRules CDatumEntry::Rules() const
{
    EntryRules rules = OwnRules();
    const CDatumEntry* other = Partner();
    if (other == nullptr)
        return rules;
    const bool start = m_link.side == PairSide::Start;
    rules.pair = {.side = m_link.side,
                  .other = other->OwnDate(),
                  .shortest = m_link.shortest,
                  .longest = m_link.longest,
                  .keepSpan = start && m_link.keepSpan,
                  .keptFrom = m_link.keptFrom,
                  .endRange = start ? other->m_range : DateRange{},
                  .endDayRule = start ? other->m_dayRule : DayRule{}};
    return rules;
}

CDateValue CDatumEntry::OwnDate() const
{
    const Judgement judgement = JudgeText(OwnRules(), WindowText());
    return judgement.refusal == DatumRefusal::None ? judgement.date : CDateValue();
}

BOOL CDatumEntry::IsValidAsTyped() { return JudgeText(OwnRules(), WindowText()).refusal == DatumRefusal::None; }

bool CDatumEntry::FocusIsWithPartner() const
{
    const CDatumEntry* other = Partner();
    return other != nullptr && (CWnd::GetFocus() == other || other->FocusWentToCompanion());
}

BOOL CDatumEntry::LetsFocusGo()
{
    return FocusIsWithPartner() && JudgeLeaving(OwnRules(), WindowText()).refusal == DatumRefusal::None;
}

// A start remembers each date it is accepted with: the span the end keeps
// counts from there. The end moves only to a date its own rules take, which
// the start's judgement has made sure of.
void CDatumEntry::TextAccepted()
{
    CDatumEntry* other = Partner();
    if (other == nullptr)
        return;
    if (m_link.side == PairSide::Start) {
        const CDateValue start = OwnDate();
        const std::optional<CDateValue> moved = Rules().pair.MovedEnd(start);
        if (moved && JudgeDate(other->OwnRules(), *moved).refusal == DatumRefusal::None)
            other->MoveAlong(*moved);
        m_link.keptFrom = start;
    }
    other->HideTipWhenMended();
}

// Like the rewrite in the display form, the new text sends DCN_CHANGE and
// moves no focus. The edit's value is the window text: accessibility
// clients are told that it changed.
void CDatumEntry::MoveAlong(const CDateValue& date)
{
    m_bSettingText = IsBound() ? TRUE : FALSE;
    SetWindowText(DisplayText(OwnRules(), date));
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CDatumEntry::HideTipWhenMended()
{
    if (!m_tip.Sentence().IsEmpty() && JudgeLeaving(Rules(), WindowText()).refusal == DatumRefusal::None)
        m_tip.Hide();
}

// DCM_LINK: lParam points at the request, which must name this field.
LRESULT CDatumEntry::OnLink(WPARAM, LPARAM linkRequest)
{
    const auto* request = win32::FromLParam<const DatumLinkRequest>(linkRequest);
    if (request == nullptr || (request->start != m_hWnd && request->end != m_hWnd))
        return 0;
    if (request->start == nullptr || request->end == nullptr) {
        Unlink();
        return 1;
    }
    return Link(*request) ? 1 : 0;
}
