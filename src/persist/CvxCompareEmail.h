#pragma once
// The e-mail the run-until rule sends.

#include <string>

class CvxPersistenceSetup;

class CvxCompareEmail {
public:
    const std::u16string& GetRecipient() const { return m_recipient; }
    void SetRecipient(std::u16string recipient) { m_recipient = std::move(recipient); }
    const std::u16string& GetSubject() const { return m_subject; }
    void SetSubject(std::u16string subject) { m_subject = std::move(subject); }
    const std::u16string& GetMessageBody() const { return m_body; }
    void SetMessageBody(std::u16string body) { m_body = std::move(body); }

    // Persisted as the element "CompareEmail": key "Config" with the attributes Recipient,
    // Subject and MessageBody.
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxCompareEmail&, const CvxCompareEmail&) = default;

private:
    std::u16string m_recipient;
    std::u16string m_subject;
    std::u16string m_body;
};
