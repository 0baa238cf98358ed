// StormDialog.cpp: the storm's own host dialog.
#include "tests/storm/support/StormHost.h"

#include "controls/DatumEntry.h"
#include "controls/DatumProtocol.h"
#include "platform/window/DataExchange.h"

#include <utility>

namespace storm {

std::string StormHost::Describe() const
{
    std::string lines;
    for (const Field& field : m_fields)
        lines += "    " + field.Describe() + "\n";
    return lines;
}

StormDialog::StormDialog(const std::vector<Slot>& slots)
    : CDialog(static_cast<const DLGTEMPLATE*>(nullptr)),
      m_slots(slots),
      m_template({.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, .x = 10, .y = 10, .cx = 190,
                  .cy = 8 + 16 * kFields, .title = "Storm host"})
{
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        const Slot& slot = m_slots[i];
        const short y = static_cast<short>(8 + 16 * static_cast<int>(i));
        m_template.Add(test::EditBox(static_cast<WORD>(slot.id), 10, y, 90,
                                     slot.kind == Kind::Ctrl ? "DatumCtrl" : "DatumEdit"));
        Field field;
        field.id = slot.id;
        field.kind = slot.kind;
        field.flags = slot.flags;
        field.maxLen = slot.maxLen;
        field.text = &text[i];
        field.value = slot.dateTime ? static_cast<void*>(&dateTime[i]) : static_cast<void*>(&date[i]);
        field.dateTime = slot.dateTime;
        m_fields.push_back(field);
    }
    m_template.Add(test::DefPushButton("OK", IDOK, 130, 8)).Add(test::PushButton("Cancel", IDCANCEL, 130, 26));
}

StormDialog::~StormDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

bool StormDialog::Open()
{
    if (!CreateIndirect(m_template.Get()))
        return false;
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return true;
}

void StormDialog::DoDataExchange(CDataExchange* pDX)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        const Slot& slot = m_slots[i];
        auto* control = dynamic_cast<CDatumEntry*>(GetDlgItem(slot.id));
        if (control == nullptr)
            continue;
        if (slot.dateTime)
            control->SetDateTimeValue(true);
        control->ExchangeData(pDX, slot.id, static_cast<std::uint16_t>(slot.maxLen), text[i], m_fields[i].value,
                              slot.flags, slot.hasInitial ? slot.initial.GetString() : nullptr);
    }
}

namespace {

template <class T, std::size_t N>
void Shuffle(Prng& rng, T (&items)[N])
{
    for (std::size_t i = N - 1; i > 0; --i)
        std::swap(items[i], items[rng.Below(static_cast<std::uint32_t>(i + 1))]);
}

// Accepted and refused texts of both kinds, the keyword letter among them.
CString InitialText(Prng& rng)
{
    static const char* const kTexts[] = {"",         "2007-01-15", "20070115", "070115",     "200115",
                                         "20070231", "abc",        "D",        "1999-12-31", "2"};
    return rng.Pick(kTexts);
}

} // namespace

std::unique_ptr<StormHost> StormDialog::Make(Prng& rng)
{
    Kind kinds[kFields] = {Kind::Ctrl, Kind::Ctrl, Kind::Ctrl, Kind::Ctrl,
                           Kind::Edit, Kind::Edit, Kind::Edit, Kind::Edit};
    WORD combinations[kFields] = {0, 1, 2, 3, 4, 5, 6, 7};
    Shuffle(rng, kinds);
    Shuffle(rng, combinations);

    std::vector<Slot> slots;
    for (int i = 0; i < kFields; ++i) {
        Slot slot;
        slot.kind = kinds[i];
        slot.id = kIds[i];
        slot.flags = static_cast<WORD>(((combinations[i] & 1) != 0 ? DCF_ALTEXIT : 0) |
                                       ((combinations[i] & 2) != 0 ? DCF_AUTOADVANCE : 0) |
                                       ((combinations[i] & 4) != 0 ? DCF_REQUIRED : 0));
        static const int kCtrlLimits[] = {10, 10, 12, 0};
        static const int kEditLimits[] = {10, 9, 8, 7, 6, 0};
        slot.maxLen = slot.kind == Kind::Ctrl ? rng.Pick(kCtrlLimits) : rng.Pick(kEditLimits);
        slot.dateTime = rng.Percent(35);
        slot.hasInitial = rng.Percent(60);
        if (slot.hasInitial)
            slot.initial = InitialText(rng);
        slots.push_back(slot);
    }
    return std::make_unique<StormDialog>(slots);
}

} // namespace storm
