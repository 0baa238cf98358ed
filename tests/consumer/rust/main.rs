// main.rs: corvanel.dll from Rust, through its C interface alone: registers
// the classes, shows a dialog with a DatumCtrl from a template built in
// memory, binds the field, sets a range by its request and reads the date
// back. Prints one line a check; the exit status counts the failures.
use std::os::raw::{c_char, c_int, c_void};
use std::ptr::null_mut;

type Hwnd = *mut c_void;

#[repr(C)]
#[derive(Clone, Copy, Default, PartialEq, Debug)]
struct DatumDate {
    day: u8,
    month: u8,
    year: u16,
}

type DatumDayRule = extern "system" fn(*const DatumDate, *mut c_void, *mut c_char, c_int) -> u32;

#[repr(C)]
struct DatumBinding {
    cb_size: u32,
    max_len: c_int,
    flags: u32,
    initial: *const c_char,
    date_time: c_int,
    min_date: DatumDate,
    max_date: DatumDate,
    day_rule: Option<DatumDayRule>,
    day_rule_context: *mut c_void,
}

const WM_USER: u32 = 0x0400;
const DCM_SETRANGE: u32 = WM_USER + 0x75;
const DCF_REQUIRED: u32 = 0x0004;
const DATUM_OK: c_int = 0;
const DATUM_REFUSED: c_int = 1;
const FIELD_ID: u16 = 1000;

#[link(name = "corvanel")]
extern "system" {
    fn DatumRegisterClasses() -> c_int;
    fn DatumBindField(field: Hwnd, binding: *const DatumBinding) -> c_int;
    fn DatumSetTextA(field: Hwnd, text: *const c_char) -> c_int;
    fn DatumGetDate(field: Hwnd, date: *mut DatumDate) -> c_int;
}

type DlgProc = extern "system" fn(Hwnd, u32, usize, isize) -> isize;

#[link(name = "user32")]
extern "system" {
    fn CreateDialogIndirectParamW(instance: *mut c_void, template: *const u16, parent: Hwnd, proc_: DlgProc,
                                  param: isize) -> Hwnd;
    fn GetDlgItem(dialog: Hwnd, id: c_int) -> Hwnd;
    fn SendMessageW(window: Hwnd, message: u32, w: usize, l: isize) -> isize;
    fn ShowWindow(window: Hwnd, show: c_int) -> c_int;
    fn DestroyWindow(window: Hwnd) -> c_int;
}

extern "system" fn dialog_proc(_: Hwnd, message: u32, _: usize, _: isize) -> isize {
    (message == 0x0110) as isize // WM_INITDIALOG: the system sets the focus
}

fn push_text(words: &mut Vec<u16>, text: &str) {
    words.extend(text.encode_utf16());
    words.push(0);
}

// A DLGTEMPLATE with one "DatumCtrl" item; items start on a DWORD boundary.
fn dialog_template() -> Vec<u16> {
    const WS_POPUP: u32 = 0x8000_0000;
    const WS_CAPTION: u32 = 0x00C0_0000;
    const WS_CHILD: u32 = 0x4000_0000;
    const WS_VISIBLE: u32 = 0x1000_0000;
    const WS_BORDER: u32 = 0x0080_0000;
    const WS_TABSTOP: u32 = 0x0001_0000;
    let mut words: Vec<u16> = Vec::new();
    let dword = |words: &mut Vec<u16>, value: u32| words.extend([value as u16, (value >> 16) as u16]);
    dword(&mut words, WS_POPUP | WS_CAPTION);
    dword(&mut words, 0);
    words.extend([1, 0, 0, 160, 40]); // one item; x, y, cx, cy
    words.extend([0, 0]); // no menu, the dialog class
    push_text(&mut words, "Rust consumer");
    if words.len() % 2 != 0 {
        words.push(0);
    }
    dword(&mut words, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    dword(&mut words, 0);
    words.extend([10, 10, 80, 14, FIELD_ID]);
    push_text(&mut words, "DatumCtrl");
    words.extend([0, 0]); // no title, no creation data
    words
}

fn main() {
    let mut failed = 0;
    let mut check = |what: &str, passed: bool| {
        println!("rust: {}: {}", what, if passed { "ok" } else { "FAILED" });
        if !passed {
            failed += 1;
        }
    };
    unsafe {
        check("DatumRegisterClasses", DatumRegisterClasses() != 0);
        let template = dialog_template();
        let dialog = CreateDialogIndirectParamW(null_mut(), template.as_ptr(), null_mut(), dialog_proc, 0);
        check("a dialog with a DatumCtrl from a template in memory", !dialog.is_null());
        if dialog.is_null() {
            std::process::exit(failed);
        }
        ShowWindow(dialog, 5);
        let field = GetDlgItem(dialog, FIELD_ID as c_int);
        let binding = DatumBinding {
            cb_size: std::mem::size_of::<DatumBinding>() as u32,
            max_len: 10,
            flags: DCF_REQUIRED,
            initial: b"2024-05-02\0".as_ptr() as *const c_char,
            date_time: 0,
            min_date: DatumDate::default(),
            max_date: DatumDate::default(),
            day_rule: None,
            day_rule_context: null_mut(),
        };
        check("DatumBindField", DatumBindField(field, &binding) != 0);
        let range = [DatumDate { day: 1, month: 1, year: 2024 }, DatumDate { day: 31, month: 12, year: 2024 }];
        check("DCM_SETRANGE", SendMessageW(field, DCM_SETRANGE, 0, range.as_ptr() as isize) == 1);
        check("a date outside the range is refused",
              DatumSetTextA(field, b"2025-01-01\0".as_ptr() as *const c_char) == DATUM_REFUSED);
        check("a date inside it is set", DatumSetTextA(field, b"20241231\0".as_ptr() as *const c_char) == DATUM_OK);
        let mut date = DatumDate::default();
        check("DatumGetDate reads it back",
              DatumGetDate(field, &mut date) == DATUM_OK && date == DatumDate { day: 31, month: 12, year: 2024 });
        DestroyWindow(dialog);
    }
    std::process::exit(failed);
}
