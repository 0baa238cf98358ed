// main.rs: corvanel.dll from Rust through its C interface alone: registers
// the classes, shows a dialog with a DatumCtrl from a template built in
// memory, binds it, sets a range by DCM_SETRANGE and reads the date back.
// One line a check; the exit status counts the failures.
use std::os::raw::{c_char, c_int, c_void};
use std::ptr::{null, null_mut};

type Hwnd = *mut c_void;

#[repr(C)]
#[derive(Clone, Copy, Default, PartialEq)]
struct DatumDate { day: u8, month: u8, year: u16 }

// DATUMBINDING as it was before its locale and partial, which the DLL still takes.
#[repr(C)]
struct DatumBinding {
    cb_size: u32, max_len: c_int, flags: u32, initial: *const c_char, date_time: c_int,
    min_date: DatumDate, max_date: DatumDate, day_rule: *const c_void, day_rule_context: *mut c_void,
}

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
    fn CreateDialogIndirectParamW(instance: Hwnd, template: *const u16, parent: Hwnd, proc_: DlgProc, param: isize) -> Hwnd;
    fn GetDlgItem(dialog: Hwnd, id: c_int) -> Hwnd;
    fn SendMessageW(window: Hwnd, message: u32, w: usize, l: isize) -> isize;
    fn ShowWindow(window: Hwnd, show: c_int) -> c_int;
    fn DestroyWindow(window: Hwnd) -> c_int;
}

extern "system" fn dialog_proc(_: Hwnd, message: u32, _: usize, _: isize) -> isize {
    (message == 0x0110) as isize // WM_INITDIALOG: the system sets the focus
}

// A DLGTEMPLATE (popup, caption) with one "DatumCtrl" item of id 1000.
fn dialog_template() -> Vec<u16> {
    let mut words: Vec<u16> = vec![0, 0x80C0, 0, 0, 1, 0, 0, 160, 40, 0, 0];
    words.extend("Rust consumer\0".encode_utf16());
    if words.len() % 2 != 0 {
        words.push(0); // an item starts on a DWORD boundary
    }
    words.extend([0, 0x5081, 0, 0, 10, 10, 80, 14, 1000]); // WS_CHILD|VISIBLE|BORDER|TABSTOP
    words.extend("DatumCtrl\0".encode_utf16());
    words.extend([0, 0]); // no title, no creation data
    words
}

fn main() {
    let mut failed = 0;
    let mut check = |what: &str, passed: bool| {
        println!("rust: {}: {}", what, if passed { "ok" } else { "FAILED" });
        failed += !passed as i32;
    };
    unsafe {
        check("DatumRegisterClasses", DatumRegisterClasses() != 0);
        let template = dialog_template();
        let dialog = CreateDialogIndirectParamW(null_mut(), template.as_ptr(), null_mut(), dialog_proc, 0);
        check("a dialog with a DatumCtrl from a template in memory", !dialog.is_null());
        ShowWindow(dialog, 5);
        let field = GetDlgItem(dialog, 1000);
        let binding = DatumBinding {
            cb_size: std::mem::size_of::<DatumBinding>() as u32, max_len: 10, flags: 0x0004, initial: null(),
            date_time: 0, min_date: DatumDate::default(), max_date: DatumDate::default(),
            day_rule: null(), day_rule_context: null_mut(),
        };
        check("DatumBindField", DatumBindField(field, &binding) != 0);
        let range = [DatumDate { day: 1, month: 1, year: 2024 }, DatumDate { day: 31, month: 12, year: 2024 }];
        check("DCM_SETRANGE", SendMessageW(field, 0x0400 + 0x75, 0, range.as_ptr() as isize) == 1);
        check("a date outside the range is refused", DatumSetTextA(field, b"20250101\0".as_ptr() as _) == 1);
        check("a date inside it is set", DatumSetTextA(field, b"20241231\0".as_ptr() as _) == 0);
        let mut date = DatumDate::default();
        check("DatumGetDate reads it back", DatumGetDate(field, &mut date) == 0 && date == range[1]);
        DestroyWindow(dialog);
    }
    std::process::exit(failed);
}
