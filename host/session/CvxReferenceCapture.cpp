#include "CvxReferenceCapture.h"

#include "CvxDataArchive.h"
#include "CvxPersistenceData.h"
#include "CvxTimeAligner.h"

const char16_t* const CvxReferenceCapture::kStreamName = u"ReferenceCapture";

void CvxReferenceCapture::Save(CvxPersistenceData& data) const
{
    if (m_capture == nullptr) {
        return;
    }
    if (CvxPersistenceDataStream* stream = data.CreateDataStream(kStreamName, CvxPersistenceData::kStreamWrite)) {
        stream->SetBytes(CvxDataArchive::Write(*m_capture));
    }
}

void CvxReferenceCapture::Load(const CvxPersistenceData& data, const std::function<CvxID(const CvxID&)>& labelOf,
                               std::string& warning)
{
    m_capture.reset();
    for (std::size_t s = 0; s < data.GetStreamCount(); ++s) {
        if (data.GetStream(s).GetName() == kStreamName) {
            m_capture = CvxDataArchive::Read(data.GetStream(s).GetBytes(), labelOf, warning);
        }
    }
}

bool CvxReferenceCapture::AppliesTo(const CvxData& input) const
{
    return m_capture != nullptr && CvxTimeAligner::HasChangeEvents(*m_capture) && CvxTimeAligner::HasChangeEvents(input);
}

CvxReferenceCapture::Pair CvxReferenceCapture::PairWith(std::shared_ptr<CvxData> input) const
{
    if (!m_byTime) {
        return {m_capture, std::move(input), 0, 0};
    }
    CvxTimeAligner::Result aligned = CvxTimeAligner::Align(m_capture, std::move(input));
    return {std::move(aligned.reference), std::move(aligned.input), aligned.referenceRowsBefore, aligned.inputRowsBefore};
}
