#include "RadviewDoc.h"

#include <cerrno>
#include <new>

#include "CalcCsv.h"
#include "DetailRecord.h"
#include "NativePath.h"
#include "OutputPath.h"
#include "RadviewApp.h"
#include "RsdErrors.h"

namespace {

std::vector<const CRadviewDoc*>& DocumentList() {
    static std::vector<const CRadviewDoc*> documents;
    return documents;
}

}  // namespace

CRadviewDoc::CRadviewDoc(const CRadviewApp& app, QObject* parent)
    : QObject(parent), m_app(app), m_pData(std::make_unique<CRsdData>()) {
    DocumentList().push_back(this);
}

CRadviewDoc::~CRadviewDoc() { std::erase(DocumentList(), this); }

const std::vector<const CRadviewDoc*>& CRadviewDoc::Documents() { return DocumentList(); }

int CRadviewDoc::Open(const QString& path) {
    auto data = std::make_unique<CRsdData>();
    int result = kRsdBadHeader;
    try {
        result = data->Load(PathBytes(path));
        m_strError = QString::fromStdString(RsdLoadErrorText(result, errno));
    } catch (const RsdInvalidDataError& e) {
        m_strError = QString::fromUtf8(e.what());
    } catch (const std::bad_alloc&) {
        result = kRsdNoMemory;
        m_strError = QString::fromUtf8(RsdLoadResultText(result));
    }
    if (result < 0) return result;

    m_pData = std::move(data);
    m_strPath = path;
    m_shownIndices.clear();
    m_shownSpectra.clear();
    m_csv.BuildMergedAxis(*m_pData);
    RememberDiskState();
    SetModified(false);
    UpdateAllViews(kHintRebuildTiles);
    return result;
}

bool CRadviewDoc::Save(const QString& path) {
    if (!m_pData->Save(PathBytes(path))) return false;
    m_strPath = path;
    RememberDiskState();
    SetModified(false);
    return true;
}

void CRadviewDoc::RememberDiskState() { m_disk = rad::IdentityOf(PathBytes(m_strPath)); }

bool CRadviewDoc::ChangedOnDisk() const { return rad::IdentityOf(PathBytes(m_strPath)) != m_disk; }

int CRadviewDoc::OutputRefusal(const std::string& path) const {
    const std::string own = PathBytes(m_strPath);
    return rad::CheckOutputPath(path, {&own, 1});
}

void CRadviewDoc::SetModified(bool modified) {
    if (modified == m_bModified) return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CRadviewDoc::DeleteSelected() {
    for (int i = m_pData->GetCount() - 1; i >= 0; --i) {
        if (m_pData->GetAt(i).m_nSelect & 1) {
            m_pData->RemoveAt(i);
            SetModified(true);
        }
    }
    UpdateAllViews(kHintRedraw);
}

void CRadviewDoc::SelectAll() {
    for (auto& rad : m_pData->m_arRad) rad->m_nSelect |= 1;
    UpdateAllViews(kHintRedraw);
}

std::vector<int> CRadviewDoc::SelectedIndices() const {
    std::vector<int> indices;
    for (int i = 0; i < m_pData->GetCount(); ++i) {
        if (m_pData->GetAt(i).m_nSelect & 1) indices.push_back(i);
    }
    return indices;
}

int CRadviewDoc::SelectedCount() const { return static_cast<int>(SelectedIndices().size()); }

std::vector<int> CRadviewDoc::ExportIndices() const {
    return m_nViewMode == 1 ? m_shownIndices : SelectedIndices();
}

void CRadviewDoc::ShowSelected() {
    m_shownSpectra.clear();
    m_shownIndices = SelectedIndices();
}

void CRadviewDoc::PrepareShown() {
    m_shownSpectra.clear();
    for (int index : m_shownIndices) PrepareRecord(index);
}

bool CRadviewDoc::CanNext() const {
    return m_nViewMode == 1 && m_shownIndices.size() == 1 && m_pData->GetCount() > 0 &&
           m_shownIndices.front() < m_pData->GetCount() - 1;
}

bool CRadviewDoc::CanPrevious() const {
    return m_nViewMode == 1 && m_shownIndices.size() == 1 && m_pData->GetCount() > 0 &&
           m_shownIndices.front() > 0;
}

void CRadviewDoc::Next() {
    if (CanNext()) Step(+1);
}

void CRadviewDoc::Previous() {
    if (CanPrevious()) Step(-1);
}

void CRadviewDoc::Step(int delta) {
    m_shownSpectra.clear();
    m_shownIndices.front() += delta;
    PrepareRecord(m_shownIndices.front());
}

void CRadviewDoc::PrepareRecord(int index) {
    const RadviewSettings& settings = m_app.Settings();
    try {
        m_report = PrepareDetailRecord(Data(), index, settings.dispMode, settings.integ,
                                       m_app.Language(), m_shownSpectra);
    } catch (const std::exception& e) {
        // A record whose time has no local form: show why instead of its report.
        m_report = StatusReport{};
        m_report.statusText = e.what();
    }
    UpdateAllViews(kHintRedraw);
}

int CRadviewDoc::ExportSpectralCsv(const std::string& path) {
    if ((errno = OutputRefusal(path)) != 0) return kExportNotWritable;
    const CsvSettings& csv = m_app.Settings().csv;
    if (m_csv.BuildCsvRows(Data(), csv) != 1) return kExportRangeRefused;
    errno = m_csv.WriteRecords(path, Data(), ExportIndices(), csv);
    return errno == 0 ? kExportWritten : kExportNotWritable;
}

int CRadviewDoc::ExportCalcCsv(const std::string& path) const {
    if ((errno = OutputRefusal(path)) != 0) return -1;
    return rad::WriteCalcCsv(path, Data(), ExportIndices(), m_app.Settings().integ);
}
