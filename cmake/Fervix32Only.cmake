# The tree as the 32-bit build of fervix9.dll sees it: the class layer, the
# product utilities, the type libraries the plug-in is compiled against and
# the plug-in itself. Firefox 3 on Windows is a 32-bit program; Tessiva and
# OMBREL stay 64-bit, and a 32-bit plug-in reaches Tessiva over COM.
add_subdirectory(platform)
add_subdirectory(shared)
add_idl(tessiva_idl browserproxy/idl/TessivaLib.idl)
add_idl(kernel_idl standins/kernel/idl/NorvaKernel.idl)
add_subdirectory(firefox)
