#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class ThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultsFollowTheBrandingFile();
    void brandingFileIsReadAsPeopleWriteIt();
    void brandingFileOverridesValuesAndResolvesImages();
    void savedFileKeepsLocalImagesRelative();
    void editorListsSectionsAndAppliesEdits();

private:
    void writeBranding(const QByteArray& text) const;
    QString brandingFolder() const;

    std::unique_ptr<QTemporaryDir> m_applicationDirectory;
};
