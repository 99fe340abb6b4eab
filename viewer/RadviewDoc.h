#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalcCsv.h"
#include "FileIdentity.h"
#include "Resample.h"
#include "RsdData.h"
#include "SpectralCsv.h"
#include "StatusReport.h"

class CRadviewApp;

// Results of the CSV exports (the calculated CSV's codes).
enum ExportResult {
    kExportNothing = 0,  // no record to write
    kExportWritten = 1,
    kExportNotWritable = -1,  // errno tells why
    kExportRangeRefused = rad::kCalcRangeRefused,
};

// Update hints sent to the views.
enum UpdateHint { kHintRedraw = 0, kHintRebuildTiles = 1 };

// One open RSD file: the data set, its selection, the records shown in detail and the texts
// and spectra prepared for them.
class CRadviewDoc : public QObject {
    Q_OBJECT
  public:
    explicit CRadviewDoc(const CRadviewApp& app, QObject* parent = nullptr);
    ~CRadviewDoc() override;

    const CRadviewApp& App() const { return m_app; }
    // Every document that exists, in the order they were made (one user-interface thread).
    static const std::vector<const CRadviewDoc*>& Documents();
    CRsdData& Data() { return *m_pData; }
    const CRsdData& Data() const { return *m_pData; }

    // ---- file ----
    // Load result of the core: the record count, or a negative code (nothing changes then).
    // Throws nothing: invalid data becomes kRsdBadHeader with the reason in LastError().
    int Open(const QString& path);
    int Reload() { return Open(m_strPath); }
    bool Save(const QString& path);
    // The file on disk differs from the one loaded or last saved (another program wrote it).
    bool ChangedOnDisk() const;
    // The file's name, its bytes kept (NativePath.h).
    QString Path() const { return m_strPath; }
    QString LastError() const { return m_strError; }
    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified);

    // ---- records ----
    void DeleteSelected();
    void SelectAll();
    int SelectedCount() const;
    std::vector<int> SelectedIndices() const;
    // Records exported: the selection in the catalog, the records shown in the detail view.
    std::vector<int> ExportIndices() const;

    // ---- CSV ----
    // The CSV exports of the exported records, each giving an ExportResult (errno set when not
    // writable; the document's own file is refused as any that is no file).
    int ExportSpectralCsv(const std::string& path);
    int ExportCalcCsv(const std::string& path) const;
    // Why path may not take an export (rad::CheckOutputPath with the document's file), or 0.
    int OutputRefusal(const std::string& path) const;

    // ---- detail view ----
    int m_nViewMode = 0;  // 0 = catalog, 1 = single-record view
    std::vector<int> m_shownIndices;
    std::vector<CResample> m_shownSpectra;
    StatusReport m_report;  // texts of the record prepared last
    CSpectralCsv m_csv;     // merged axis built at open; rows and lines of the last export

    // Fills the shown list with the selected records (spectra emptied), ready for mode 1.
    void ShowSelected();
    // Prepares every shown record in list order (spectra rebuilt).
    void PrepareShown();
    void PrepareRecord(int index);
    bool CanNext() const;
    bool CanPrevious() const;
    void Next();
    void Previous();

    void UpdateAllViews(int hint) { emit updated(hint); }

  signals:
    void updated(int hint);
    void modifiedChanged(bool modified);

  private:
    void Step(int delta);
    void RememberDiskState();

    const CRadviewApp& m_app;
    std::unique_ptr<CRsdData> m_pData;
    QString m_strPath;
    QString m_strError;
    bool m_bModified = false;
    std::optional<rad::FileIdentity> m_disk;  // the file as last read or saved
};
