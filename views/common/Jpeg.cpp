// SPDX-License-Identifier: GPL-3.0-or-later
#include "Jpeg.h"

#include "FilePrefetch.h"
#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <jerror.h>
#include <jpeglib.h>

TJpegError::TJpegError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

constexpr unsigned long MaxPixels = MaxPicturePixels;
// The decoder's own working memory (a progressive picture keeps all its coefficients): beyond
// it the decode fails instead of growing.
constexpr long MaxDecoderMemory = 256L * 1024L * 1024L;

// The setjmp/longjmp error manager: libjpeg calls error_exit on a fatal error and
// emit_message(-1) on a warning; both jump back with the library's message kept here.
struct TErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  auto* manager = reinterpret_cast<TErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->Message);
  std::longjmp(manager->Jump, 1);
}

void ErrorExit(j_common_ptr info) {
  JumpBack(info);
}

// Warnings about damaged data (premature end, bad Huffman codes, extraneous bytes) would
// otherwise yield a grey or garbled picture; they are treated as errors. Two harmless
// notices about header details are let through.
void EmitMessage(j_common_ptr info, int level) {
  if (level >= 0) {
    return; // trace messages
  }
  const int code = info->err->msg_code;
  if (code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM) {
    return;
  }
  JumpBack(info);
}

void OutputMessage(j_common_ptr) {} // nothing goes to stderr

void InstallErrorManager(TErrorManager& manager) {
  jpeg_std_error(&manager.Base);
  manager.Base.error_exit = ErrorExit;
  manager.Base.emit_message = EmitMessage;
  manager.Base.output_message = OutputMessage;
  manager.Message[0] = '\0';
}

// Plain-data state of one decode, so nothing with a destructor lives across setjmp.
struct TDecodeJob {
  const unsigned char* Data;
  unsigned long Size;
  QImage* Target;
  char Message[JMSG_LENGTH_MAX];
};

bool RunDecode(TDecodeJob& job) {
  jpeg_decompress_struct info;
  TErrorManager manager;
  InstallErrorManager(manager);
  info.err = &manager.Base;
  if (setjmp(manager.Jump)) {
    std::snprintf(job.Message, sizeof job.Message, "%s", manager.Message);
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, job.Data, job.Size);
  jpeg_read_header(&info, TRUE);
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    std::snprintf(job.Message, sizeof job.Message, "CMYK pictures are not supported");
    jpeg_destroy_decompress(&info);
    return false;
  }
  // The declared size is checked before the decoder allocates anything for it.
  const unsigned long pixels =
      static_cast<unsigned long>(info.image_width) * static_cast<unsigned long>(info.image_height);
  if (pixels == 0 || pixels > MaxPixels) {
    std::snprintf(job.Message, sizeof job.Message, "picture of %ux%u pixels is too large",
                  info.image_width, info.image_height);
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.mem->max_memory_to_use = MaxDecoderMemory;
  info.out_color_space = JCS_EXT_BGRX; // byte order of QImage::Format_RGB32 on little endian
  jpeg_start_decompress(&info);
  *job.Target = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB32);
  if (job.Target->isNull()) {
    std::snprintf(job.Message, sizeof job.Message, "out of memory");
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = job.Target->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

struct TEncodeJob {
  const QImage* Source; // Format_RGB32
  int Quality;
  unsigned char* Buffer; // malloc'ed by libjpeg
  unsigned long Size;
  char Message[JMSG_LENGTH_MAX];
};

bool RunEncode(TEncodeJob& job) {
  jpeg_compress_struct info;
  TErrorManager manager;
  InstallErrorManager(manager);
  info.err = &manager.Base;
  if (setjmp(manager.Jump)) {
    std::snprintf(job.Message, sizeof job.Message, "%s", manager.Message);
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &job.Buffer, &job.Size);
  info.image_width = static_cast<JDIMENSION>(job.Source->width());
  info.image_height = static_cast<JDIMENSION>(job.Source->height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  if (job.Quality != JpegDefaultQuality) {
    jpeg_set_quality(&info, job.Quality, TRUE);
    if (job.Quality >= 90) {
      for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
      }
    }
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes non-const rows but only reads them.
    JSAMPROW row =
        const_cast<JSAMPROW>(job.Source->constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

QString ShownName(const QString& fileName) {
  return QFileInfo(fileName).filePath();
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, const QString& nameForErrors) {
  QImage image;
  TDecodeJob job{reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()),
                 &image,
                 {}};
  if (data.isEmpty()) {
    throw TJpegError(QStringLiteral("Invalid JPEG file %1: the file is empty").arg(nameForErrors));
  }
  if (!RunDecode(job)) {
    throw TJpegError(QStringLiteral("Invalid JPEG file %1: %2")
                         .arg(nameForErrors, QString::fromLocal8Bit(job.Message)));
  }
  return image;
}

namespace {

QImage ReadAndDecode(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw TJpegError(QStringLiteral("Cannot open file %1").arg(ShownName(fileName)));
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw TJpegError(QStringLiteral("Cannot open file %1").arg(ShownName(fileName)));
  }
  return DecodeJpeg(data, ShownName(fileName));
}

astro::TFilePrefetch<QImage>& Prefetches() {
  static astro::TFilePrefetch<QImage> prefetches;
  return prefetches;
}

} // namespace

void PrefetchJpegs(const QStringList& fileNames) {
  for (const QString& name : fileNames)
    Prefetches().Start(name.toStdString(), [name] { return ReadAndDecode(name); });
}

void DropPrefetchedJpegs() {
  Prefetches().DropAll();
}

QImage LoadJpeg(const QString& fileName) {
  try {
    if (std::optional<QImage> picture = Prefetches().Take(fileName.toStdString()))
      return *picture;
  } catch (const TJpegError&) {
    // The early reading failed; read again so the error is that of the file as it is now.
  }
  return ReadAndDecode(fileName);
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
  if (image.isNull()) {
    throw TJpegError(QStringLiteral("Cannot encode an empty picture as JPEG"));
  }
  const QImage source =
      image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  TEncodeJob job{&source, quality, nullptr, 0, {}};
  const bool done = RunEncode(job);
  QByteArray bytes;
  if (done) {
    bytes = QByteArray(reinterpret_cast<const char*>(job.Buffer), static_cast<qsizetype>(job.Size));
  }
  std::free(job.Buffer);
  if (!done) {
    throw TJpegError(
        QStringLiteral("JPEG encoding failed: %1").arg(QString::fromLocal8Bit(job.Message)));
  }
  return bytes;
}

void SaveJpeg(const QImage& image, const QString& fileName, int quality) {
  WriteJpegFile(EncodeJpeg(image, quality), fileName);
}

void WriteJpegFile(const QByteArray& bytes, const QString& fileName) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    throw TJpegError(QStringLiteral("Cannot create file %1").arg(ShownName(fileName)));
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    throw TJpegError(QStringLiteral("Unable to write to %1").arg(ShownName(fileName)));
  }
}
