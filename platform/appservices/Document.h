// Document.h: documents and the single-document template.
//
//   CDocument            a document: title, path, modified flag, its views
//   CCreateContext       what a new frame needs to make its view
//   CSingleDocTemplate   one document at a time, shown in one frame with one
//                        view, all three made from their run-time classes;
//                        the resources of its id give the frame's menu,
//                        accelerators, icon and the document string
#pragma once

#include "platform/appservices/CmdTarget.h"
#include "platform/core/String.h"

#include <vector>

class CFrameWnd;
class CSingleDocTemplate;
class CView;

class CDocument : public CCmdTarget {
public:
    static const CRuntimeClass kRuntimeClass;
    const CRuntimeClass* GetRuntimeClass() const override;

    CDocument() = default;
    ~CDocument() override;

    // --- attributes ---
    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the frames of the document's views.
    void SetTitle(const char* title);
    const CString& GetPathName() const { return m_strPathName; }
    // The document's file: its full path; the file name becomes the title
    // and the path goes to the top of the application's recent-file list.
    void SetPathName(const char* path, BOOL addToRecentFiles = TRUE);
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // --- views ---
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }

    // --- overridables ---
    // A new, empty document: contents deleted, not modified, no file.
    virtual BOOL OnNewDocument();
    // Opens the file for reading (the document loads nothing from it). A
    // file that cannot be opened gives one message box and FALSE.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void DeleteContents();

private:
    friend class CSingleDocTemplate;
    void UpdateFrameTitles();

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
};

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CSingleDocTemplate* m_pNewDocTemplate = nullptr;
};

class CSingleDocTemplate : public CCmdTarget {
public:
    // The fields of the document string, separated by line feeds.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                       const CRuntimeClass* viewClass);
    // Deletes the document; the frame, a window, ends its own life.
    ~CSingleDocTemplate() override;

    UINT GetResourceId() const { return m_nIDResource; }
    // One field of the document string; FALSE (and an empty text) when it is missing.
    BOOL GetDocString(CString& text, DocStringIndex index) const;

    // Opens the file into the template's document, or (path null) makes it a
    // new, empty one. The first call makes the document and its frame with
    // the view; the first frame becomes the application's main window. The
    // frame stays hidden: showing it is the application's choice. Returns
    // null after one message box when that fails.
    CDocument* OpenDocumentFile(const char* path);

    CDocument* GetDocument() const { return m_pOnlyDoc; }
    // The frame that shows the document, or null.
    CFrameWnd* GetFrame() const;

private:
    CFrameWnd* CreateNewFrame(CDocument* document);
    void SetDefaultTitle(CDocument* document) const;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    CDocument* m_pOnlyDoc = nullptr;
};
