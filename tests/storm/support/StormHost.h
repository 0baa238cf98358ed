// StormHost.h: a dialog that a storm can rage over.
//
//   StormHost     a modeless host dialog and the date fields it binds, in
//                 the order of its data exchange
//   HostFactory   makes the next host; a storm makes a new one whenever
//                 the user closes the last
//   StormDialog   the storm's own host: four date controls and four date
//                 edits with every combination of the option bits, bound to
//                 their own text and date members, and plain OK and Cancel
#pragma once

#include "tests/storm/support/DateRules.h"
#include "tests/storm/support/Prng.h"
#include "tests/win32/support/DialogTemplate.h"

#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"
#include "platform/window/Dialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace storm {

class StormHost {
public:
    virtual ~StormHost() = default;
    // Creates the dialog modeless (its first exchange binds the fields) and shows it.
    virtual bool Open() = 0;
    virtual CDialog& Dialog() = 0;
    const std::vector<Field>& Fields() const { return m_fields; }
    // One line per field, for the event log.
    std::string Describe() const;

protected:
    std::vector<Field> m_fields;
};

using HostFactory = std::function<std::unique_ptr<StormHost>(Prng& rng)>;

// A date field of the storm's own dialog as its data exchange binds it.
struct Slot {
    Kind kind = Kind::Edit;
    int id = 0;
    WORD flags = 0;
    int maxLen = 10;
    bool dateTime = false;
    CString initial;
    bool hasInitial = false;
};

class StormDialog : public CDialog, public StormHost {
public:
    static constexpr int kFields = 8;
    // The ids of the fields; none is 1001 (every popup button) or 1002 (the popup's calendar).
    static constexpr int kIds[kFields] = {1000, 1003, 1004, 1005, 1006, 1007, 1008, 1009};

    explicit StormDialog(const std::vector<Slot>& slots);
    ~StormDialog() override;

    // Four date controls and four date edits in a shuffled order, the eight
    // combinations of DCF_ALTEXIT, DCF_AUTOADVANCE and DCF_REQUIRED dealt out
    // among them, limits, value kinds and initial texts drawn at random.
    static std::unique_ptr<StormHost> Make(Prng& rng);

    bool Open() override;
    CDialog& Dialog() override { return *this; }

    CString text[kFields];
    CDateValue date[kFields];
    CDateTimeValue dateTime[kFields];

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::vector<Slot> m_slots;
    test::DialogTemplate m_template;
};

} // namespace storm
