<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>StatusWindow</name>
    <message>
        <source>Writing configuration - %1%</source>
        <translation>Konfiguration wird geschrieben - %1%</translation>
    </message>
</context>
</TS>
