"""What the program file declares to Windows, read back from its resources
as the system reads them: the manifest (common controls 6, per-monitor DPI
awareness with its fallback, the supported Windows versions, long paths) and
an icon with an image for every size the system asks for at the usual
display scales."""
import binascii
import struct
import unittest
import xml.etree.ElementTree as ElementTree

from e2e_support import EXE, PROBE, probe

RT_GROUP_ICON, RT_MANIFEST = 14, 24
CREATEPROCESS_MANIFEST_RESOURCE_ID, PROGRAM_ICON = 1, 1

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"

SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}


def resource(kind, number):
    result = probe("resource", EXE, str(kind), str(number))
    if result.returncode:
        raise AssertionError("the program file has no resource %d of type %d: %s" % (number, kind, result.stderr))
    return binascii.unhexlify(result.stdout.strip())


class ProgramFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not EXE or not PROBE:
            raise unittest.SkipTest("VELORA_EXE or VELORA_PROBE is not set; run through ctest in scripts/test.sh")

    def test_manifest_declares_per_monitor_awareness_the_windows_versions_and_long_paths(self):
        manifest = ElementTree.fromstring(resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID))
        self.assertEqual(manifest.tag, ASM_V1 + "assembly")

        controls = [identity.attrib for identity in manifest.iter(ASM_V1 + "assemblyIdentity")
                    if identity.get("name") == "Microsoft.Windows.Common-Controls"]
        self.assertEqual(len(controls), 1, "no single dependency on the common controls")
        self.assertEqual(controls[0].get("version"), "6.0.0.0")
        self.assertIsNotNone(manifest.find("%sdependency/%sdependentAssembly" % (ASM_V1, ASM_V1)))

        settings = manifest.find("%sapplication/%swindowsSettings" % (ASM_V3, ASM_V3))
        self.assertIsNotNone(settings, "no windowsSettings")
        awareness = settings.find(SETTINGS_2016 + "dpiAwareness")
        self.assertIsNotNone(awareness, "no dpiAwareness")
        # The first value a system knows wins: version 2, else version 1.
        self.assertEqual([value.strip() for value in awareness.text.split(",")], ["PerMonitorV2", "PerMonitor"])
        aware = settings.find(SETTINGS_2005 + "dpiAware")
        self.assertIsNotNone(aware, "no dpiAware for the systems before Windows 10 1607")
        self.assertEqual(aware.text.strip().lower(), "true/pm")
        long_paths = settings.find(SETTINGS_2016 + "longPathAware")
        self.assertIsNotNone(long_paths, "no longPathAware")
        self.assertEqual(long_paths.text.strip().lower(), "true")

        supported = {os.get("Id").lower() for os in
                     manifest.iterfind("%scompatibility/%sapplication/%ssupportedOS" % ((COMPATIBILITY,) * 3))}
        self.assertEqual(supported, SUPPORTED_OS)

    def test_icon_has_an_image_for_every_size_the_system_asks_for(self):
        group = resource(RT_GROUP_ICON, PROGRAM_ICON)
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind), (0, 1), "not an icon group")
        self.assertEqual(len(group), 6 + 14 * count)
        sizes, depths = [], set()
        for i in range(count):
            width, height, _, _, _, bits, _, _ = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            # 0 stands for 256.
            self.assertEqual(width, height)
            sizes.append(width or 256)
            depths.add(bits)
        # 100 % to 250 % for the small icon, the large ones, Explorer's 64
        # and the Start menu's 256; all with an alpha channel.
        self.assertEqual(sorted(sizes), [16, 20, 24, 32, 40, 48, 64, 256])
        self.assertEqual(depths, {32})


if __name__ == "__main__":
    unittest.main()
