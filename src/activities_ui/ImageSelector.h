#pragma once

// A grid of pictures of which the user picks one: the activity images from the default image to
// the last numbered one. The selected number counts from the first picture shown.

#include <QListWidget>

class TvrnImageSelector : public QListWidget {
    Q_OBJECT
public:
    explicit TvrnImageSelector(QWidget* parent = nullptr);

    /// Fills the grid with the activity images of ImageIndex 0 up to the last one.
    void ShowActivityImages();
    /// The selected picture's number, -1 when none is selected.
    int SelectedImage() const;
    /// Selects a picture (a number outside the grid selects none) and scrolls it into view.
    void SetSelectedImage(int number);
};
