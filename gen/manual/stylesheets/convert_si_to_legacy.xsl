<?xml version="1.0" encoding="UTF-8"?>
<!-- convert_si_to_legacy.xsl: converts the manual XML into the older single-interface layout read by the LaTeX stylesheets
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <xsl:output method="xml" encoding="iso-8859-1" indent="no"/>
  <!-- The older layout that the LaTeX stylesheets read is the manual XML
       reduced to one interface (the parameter current_syntax):
       - the document element carries that interface in its interface
         attribute;
       - of the signature blocks only the one of that interface is kept, as
         <synopsis interface="...">;
       - elements that spell a name per interface (opref, parref, parname,
         valref, and name, type and subtype of parameters) hold only the
         spelling of that interface as their text; an operator of the table
         of contents gets it as its name attribute;
       - the examples stay; of examples grouped per interface only those
         of that interface (all when it has none), without the grouping;
       - a class of classes.xml holds the description of that interface's
         class directly (name, description, base, members); classes the
         interface does not have are left out.
       Every other element is copied as it is. -->

  <xsl:template match="@* | node()">
    <xsl:copy><xsl:apply-templates select="@* | node()"/></xsl:copy>
  </xsl:template>

  <xsl:template match="/*/document">
    <document>
      <xsl:apply-templates select="@*[local-name() != 'interface']"/>
      <xsl:attribute name="interface"><xsl:value-of select="$interface"/></xsl:attribute>
    </document>
  </xsl:template>

  <!-- An operator implemented inside the development environment names its
       one interface in its interface attribute; for any other interface it
       has no signature. -->
  <xsl:variable name="has_interface" select="not(/operator/@interface) or /operator/@interface = 'all' or /operator/@interface = $interface"/>

  <xsl:template match="/operator">
    <operator>
      <xsl:apply-templates select="@*"/>
      <xsl:attribute name="name">
        <xsl:choose>
          <xsl:when test="$has_interface and signatures[@interface = $interface]/signature[not(@type = 'constructor')]"><xsl:value-of select="signatures[@interface = $interface]/signature[not(@type = 'constructor')][1]/@name"/></xsl:when>
          <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
        </xsl:choose>
      </xsl:attribute>
      <xsl:apply-templates select="node()"/>
    </operator>
  </xsl:template>

  <xsl:template match="signatures">
    <xsl:if test="@interface = $interface and $has_interface">
      <synopsis interface="{@interface}"><xsl:apply-templates select="node()"/></synopsis>
    </xsl:if>
  </xsl:template>

  <!-- Examples grouped per interface: the group of this interface, else
       every group; the grouping itself is dropped. Top-level examples make
       the groups redundant. -->
  <xsl:template match="/operator/syntax">
    <xsl:if test="not(../example) and (@interface = $interface or not(../syntax[@interface = $interface]))">
      <xsl:apply-templates select="example"/>
    </xsl:if>
  </xsl:template>

  <!-- names spelled per interface -->
  <xsl:template match="opref | parref | parname | valref | parameter/name | parameter/type | parameter/subtype[syntax]">
    <xsl:copy>
      <xsl:apply-templates select="@*"/>
      <xsl:call-template name="syntax_text"/>
    </xsl:copy>
  </xsl:template>

  <xsl:template match="/toc//operator">
    <operator>
      <xsl:apply-templates select="@*"/>
      <xsl:attribute name="name"><xsl:call-template name="syntax_text"/></xsl:attribute>
      <xsl:apply-templates select="node()[not(self::syntax)]"/>
    </operator>
  </xsl:template>

  <xsl:template match="/classes/class">
    <xsl:for-each select="syntax[@interface = $interface][1]">
      <class id="{../@id}">
        <xsl:apply-templates select="node()"/>
      </class>
    </xsl:for-each>
  </xsl:template>

  <!-- common block: common.xsl -->
</xsl:stylesheet>
