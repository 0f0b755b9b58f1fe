// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding and encoding through libjpeg-turbo. The library's fatal errors and its
// warnings about corrupt or truncated data become a TJpegError naming the file, so a bad
// picture is an error message and never ends the process.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <stdexcept>

class TJpegError : public std::runtime_error {
public:
  explicit TJpegError(const QString& message);
};

// Quality value that leaves the library's default (75) in place.
inline constexpr int JpegDefaultQuality = -1;

// Decodes a whole JPEG file into a picture of Format_RGB32 (grey pictures become grey RGB).
// Throws TJpegError "Cannot open file <name>" when the file cannot be read, and
// "Invalid JPEG file <name>: <reason>" when its data is corrupt, truncated or unsupported.
QImage LoadJpeg(const QString& fileName);

// Starts decoding these JPEG files on worker threads, so that start-up can build its windows
// meanwhile (see astro::TFilePrefetch); a later LoadJpeg of one of them takes the result.
void PrefetchJpegs(const QStringList& fileNames);
// Waits for the decodings no LoadJpeg took and drops them.
void DropPrefetchedJpegs();

// Decodes JPEG data held in memory; `nameForErrors` is the name used in the error text.
QImage DecodeJpeg(const QByteArray& data, const QString& nameForErrors);

// Encodes a picture as colour JPEG at full size. With JpegDefaultQuality every encoder
// setting is the library's default; otherwise quality 1..100 is set and, from 90 up, the
// colour is kept at full resolution (no chroma subsampling).
QByteArray EncodeJpeg(const QImage& image, int quality = JpegDefaultQuality);

// Encodes and writes the picture, replacing the file only once all bytes are written.
// Throws TJpegError "Cannot create file <name>" or "Unable to write to <name>".
void SaveJpeg(const QImage& image, const QString& fileName, int quality = JpegDefaultQuality);

// The writing half of SaveJpeg, for bytes that EncodeJpeg made.
void WriteJpegFile(const QByteArray& bytes, const QString& fileName);
