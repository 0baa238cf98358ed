// DatumEdit.h: the plain date-entry field, window class "DatumEdit".
//
//   CDatumEdit   refuses letters as they are typed, checks the text as a
//                date when the user leaves it, rewrites an accepted date in
//                the eight-digit form, and keeps the host dialog's text
//                member and date value in step
#pragma once

#include "controls/DatumEntry.h"

class CDatumEdit : public CDatumEntry {
public:
    CDatumEdit() = default;
    ~CDatumEdit() override = default;

    // Acceptable: the empty text, or a text that parses to a date that
    // passes the calendar rule with a year of at most four digits, inside
    // the range.
    BOOL IsValid() override;
    // Rewrites the text as yyyymmdd (two-digit year below 100, empty for no date).
    void Normalize() override;

protected:
    // The form of DCM_VALUETOTEXT follows the maximum length.
    TextForm BoundValueForm() const override;
    FieldKind Kind() const override { return FieldKind::Edit; }

    // EN_SETFOCUS: arm the focus-out check and remember the entry text.
    LRESULT OnEnSetFocus();
    // EN_KILLFOCUS: the focus-out check, unless a yield asked to skip it once.
    LRESULT OnEnKillFocus();

    const MessageMap* GetMessageMap() const override;
};
