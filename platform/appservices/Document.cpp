// Document.cpp: documents and the single-document template.
#include "platform/appservices/Document.h"

#include "platform/appservices/FrameWnd.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Module.h"
#include "platform/appservices/View.h"
#include "platform/appservices/WinApp.h"

#include <algorithm>

// --- CDocument ---

const CRuntimeClass CDocument::kRuntimeClass =
    StaticRuntimeClass<CDocument>("CDocument", RuntimeClassOf<CObject>());

const CRuntimeClass* CDocument::GetRuntimeClass() const { return &kRuntimeClass; }

CDocument::~CDocument()
{
    // Views outlive a document only at the end of the process; let them forget it.
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title;
    UpdateFrameTitles();
}

void CDocument::SetPathName(const char* path, BOOL addToRecentFiles)
{
    char full[MAX_PATH] = {};
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, &namePart);
    m_strPathName = (length > 0 && length < MAX_PATH) ? full : path;
    SetTitle(namePart ? namePart : m_strPathName.GetString());
    if (addToRecentFiles) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* view)
{
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        CString prompt;
        prompt.Format("Cannot open the document %s.", path);
        AfxMessageBox(prompt.GetString(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ::CloseHandle(file);
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::UpdateFrameTitles()
{
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
    }
}

// --- CSingleDocTemplate ---

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
    char buffer[1024] = {};
    if (::LoadStringA(AfxGetInstanceHandle(), resourceId, buffer, static_cast<int>(sizeof buffer)) > 0)
        m_strDocStrings = buffer;
}

CSingleDocTemplate::~CSingleDocTemplate() { delete m_pOnlyDoc; }

BOOL CSingleDocTemplate::GetDocString(CString& text, DocStringIndex index) const
{
    text.Empty();
    int start = 0;
    for (int field = 0; field < index; ++field) {
        while (start < m_strDocStrings.GetLength() && m_strDocStrings.GetAt(start) != '\n')
            ++start;
        if (start == m_strDocStrings.GetLength())
            return FALSE;
        ++start;
    }
    int end = start;
    while (end < m_strDocStrings.GetLength() && m_strDocStrings.GetAt(end) != '\n')
        ++end;
    text = m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

CFrameWnd* CSingleDocTemplate::GetFrame() const
{
    if (!m_pOnlyDoc || m_pOnlyDoc->GetViews().empty())
        return nullptr;
    return m_pOnlyDoc->GetViews().front()->GetParentFrame();
}

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* document)
{
    CObject* object = m_pFrameClass->CreateObject();
    if (!object)
        return nullptr;
    if (!object->IsKindOf(RuntimeClassOf<CFrameWnd>())) {
        delete object;
        return nullptr;
    }
    auto* frame = static_cast<CFrameWnd*>(object);
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        delete frame;  // never became a window that ends its own life
        return nullptr;
    }
    return frame;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* document) const
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    document->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path)
{
    bool createdDocument = false;
    if (!m_pOnlyDoc) {
        CObject* object = m_pDocClass->CreateObject();
        if (object && !object->IsKindOf(RuntimeClassOf<CDocument>())) {
            delete object;
            object = nullptr;
        }
        if (!object) {
            AfxMessageBox("Failed to create the document.", MB_OK | MB_ICONEXCLAMATION);
            return nullptr;
        }
        m_pOnlyDoc = static_cast<CDocument*>(object);
        m_pOnlyDoc->m_pDocTemplate = this;
        createdDocument = true;
    }
    CDocument* document = m_pOnlyDoc;

    CFrameWnd* frame = GetFrame();
    bool createdFrame = false;
    if (!frame) {
        frame = CreateNewFrame(document);
        if (!frame) {
            AfxMessageBox("Failed to create the document's window.", MB_OK | MB_ICONEXCLAMATION);
            if (createdDocument) {
                delete m_pOnlyDoc;
                m_pOnlyDoc = nullptr;
            }
            return nullptr;
        }
        createdFrame = true;
    }

    BOOL loaded;
    if (path) {
        loaded = document->OnOpenDocument(path);  // tells the user itself when it fails
    } else {
        loaded = document->OnNewDocument();
        if (!loaded)
            AfxMessageBox("Failed to create an empty document.", MB_OK | MB_ICONEXCLAMATION);
    }
    if (!loaded) {
        if (createdFrame)
            frame->DestroyWindow();  // the frame and its view delete themselves
        if (createdDocument) {
            delete m_pOnlyDoc;
            m_pOnlyDoc = nullptr;
        }
        return nullptr;
    }
    if (path)
        document->SetPathName(path);
    else
        SetDefaultTitle(document);

    CWinApp* app = AfxGetApp();
    if (createdFrame && app && !app->GetMainFrame())
        app->SetMainFrame(frame);
    frame->InitialUpdateFrame(document);
    return document;
}
