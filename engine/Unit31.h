#pragma once
// The image search of "Trouve image": a small window made at start-up and
// never shown, which keeps the reference pictures of the run.
#include "core/Form.h"

#include <QImage>
#include <QVector>

// One reference picture, by its file name as the command gives it.
struct TMemImage {
    QString FileName;
    QImage Picture;  // 32 bits per pixel
};

class TForm31 : public TForm {
    Q_OBJECT
public:
    explicit TForm31(QWidget* parent = nullptr);

    // Parameters: reference file; left; top; right; bottom of the zone; four
    // values of the dialog; variable of X; variable of Y; occurrence n.
    // Writes where the n-th occurrence lies (its top-left pixel plus one), or
    // -1 in both variables; a stopped run leaves them as they were.
    void FnctFindGraphic(const QString& params);

    // Read once a run: a file changed on disk meanwhile is not read again.
    QVector<TMemImage> MemImages;

private:
    // The picture of that file, read at its first use; null (with a run-time
    // error) when it is missing or not a picture.
    const QImage* reference(const QString& fileName);
};

extern TForm31* Form31;
