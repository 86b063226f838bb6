"""What a Windows build ships is signed, and a build without a signing
certificate stops before it could ship anything unsigned.

Needs the Windows build tree (VELORA_BUILD_DIR) and osslsigncode; run by ctest
in the win64 build, no Wine involved."""
import os
import subprocess
import tempfile
import unittest

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD_DIR = os.environ.get("VELORA_BUILD_DIR", "")
INSTALLER = os.environ.get("VELORA_INSTALLER", "")
TEST_ROOT = os.path.join(BUILD_DIR, "signing", "test", "test-root.pem")
TOOLCHAIN = os.path.join(SOURCE_DIR, "cmake", "mingw-w64-x86_64.cmake")


def configure_windows_build(build_dir, *options, env=None):
    result = subprocess.run(["cmake", "-S", SOURCE_DIR, "-B", build_dir, "-G", "Ninja",
                             "-DCMAKE_TOOLCHAIN_FILE=" + TOOLCHAIN, "-DVELORA_BUILD_TESTS=OFF", *options],
                            capture_output=True, text=True, env=env)
    # CMake wraps its messages; compare the words.
    result.stderr = " ".join(result.stderr.split())
    return result


class ReleaseSigningTest(unittest.TestCase):
    def test_a_windows_build_without_a_certificate_stops_and_says_what_to_set(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith("VELORA_SIGN_")}
        with tempfile.TemporaryDirectory() as build_dir:
            result = configure_windows_build(build_dir, "-DVELORA_TEST_SIGNING=OFF", env=env)
            self.assertNotEqual(result.returncode, 0, "the configuration went through without a certificate")
            self.assertIn("never ships an unsigned installer", result.stderr)
            self.assertIn("VELORA_SIGN_CERT", result.stderr)
            self.assertFalse(os.path.exists(os.path.join(build_dir, "build.ninja")),
                             "a build was generated without a certificate")

    def test_a_certificate_other_than_the_pinned_publisher_stops_the_build(self):
        with tempfile.TemporaryDirectory() as build_dir:
            result = configure_windows_build(
                build_dir, "-DVELORA_TEST_SIGNING=OFF",
                "-DVELORA_SIGN_CERT=" + os.path.join(BUILD_DIR, "signing", "test", "other-publisher.pem"),
                "-DVELORA_SIGN_KEY=" + os.path.join(BUILD_DIR, "signing", "test", "other-publisher.key"),
                "-DVELORA_PUBLISHER_KEY_SHA256=" + "ab" * 32)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("is not the publisher's", result.stderr)

    @unittest.skipUnless(INSTALLER and os.path.exists(INSTALLER), "the installer is not built (no makensis)")
    def test_the_installer_carries_a_valid_signature_from_the_test_root(self):
        result = subprocess.run(["osslsigncode", "verify", "-in", INSTALLER, "-CAfile", TEST_ROOT],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("Signature verification: ok", result.stdout)


if __name__ == "__main__":
    unittest.main()
